#pragma once

#include <QByteArrayView>

namespace platform {

// True when the program runs with an effective user or group other than its caller's, as an
// install with the setgid bit makes it (README: protecting the results on a shared machine).
bool runsWithRaisedIds();

// Takes from the environment what would let the caller of a program with raised ids load code
// into it, or point it at a file it reads with those ids: Qt's plugin folders, every plugin
// or library named, the logging and font files, a platform other than a plain xcb, wayland
// or offscreen one, and libpq's PG... variables (they name the server that is given the
// settings file's password, and files to read). Every other variable stays as it is.
void removeCallerControls();

// Whether a QT_QPA_PLATFORM value names only those plain platforms, as a ';' list.
bool isPlainPlatformList(QByteArrayView value);

} // namespace platform
