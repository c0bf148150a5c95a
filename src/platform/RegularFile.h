#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

enum class FileRead { Read, Missing, Refused };

// Reads the whole regular file at path, refused when it is larger than maxBytes. Nothing here
// ever waits: the file is opened without blocking and checked on the opened descriptor, so a
// FIFO, a device, a directory or a socket in its place (or behind a symbolic link of that
// name) is refused, never read. A FIFO's open or read would wait for a writer that may never
// come, and a device may never end. Refused gives the reason in error.
FileRead readRegularFile(const QString& path, qsizetype maxBytes, QByteArray* bytes,
                         QString* error);

} // namespace platform
