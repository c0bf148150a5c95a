#pragma once

#include <QString>

namespace store {
class DataControl;
}

namespace ui {

// The two ways a window treats a failing database step.

// Passed over: the failing step is skipped and the handler goes on with the next one.
inline bool passedOver(bool ok) {
    return ok;
}

// Not caught: a failure is shown in one message box naming the database file and the engine's
// error text (followed by unsaved, when given: what the failed step would have stored, and by
// savedTo, when given: the file the user saved that to), written to stderr as well, and the
// program ends with exit code 1. Returns ok, so that the caller stops its handler when it is
// false (under a test's end hook the process goes on).
bool notCaught(bool ok, const store::DataControl& control, const QString& unsaved = {});
bool notCaught(bool ok, const QString& databaseFile, const QString& error,
               const QString& unsaved = {}, const QString& savedTo = {});

} // namespace ui
