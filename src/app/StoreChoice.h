#pragma once

#include <QStringList>

namespace app {

// The store chosen at start-up, before any window: without a settings file in folders, or
// with one that names no server, the file beside the program, and true. A settings file that
// cannot be used, or one that names a server, is reported in one message box (and on stderr)
// and ends the program with exit code 1: false then (under a test's end hook the process goes
// on). A server is reached first, so that the report gives the engine's reason when it cannot
// be; this build stores into the file only.
bool chooseStore(const QStringList& folders);

} // namespace app
