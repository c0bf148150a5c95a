#pragma once

#include <QString>
#include <QStringList>

namespace store {

// Everything about the database file at path that would lose a finished result or apply
// another file's data to it, one line each; empty when the program may use it. Only reads: a
// refused file is left byte for byte as it was, with nothing made beside it. (A journal of the
// file's own unfinished write is rolled back first, as the engine would on any open.)
QStringList startupFaults(const QString& path);

// A file made before files carried their ids, or kept with a write-ahead log, is given its ids
// and the rollback journal; any other file is left alone. Only for a file without faults.
bool adoptOlderFile(const QString& path, QString* error);

// Both, at start-up: false with the faults (one a line) in *error.
bool checkAtStartup(const QString& path, QString* error);

} // namespace store
