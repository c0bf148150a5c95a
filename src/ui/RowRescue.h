#pragma once

#include <QString>
#include <functional>

namespace store {
class DataControl;
}

namespace ui {

// A row that a window stores at the end of a step and that exists nowhere else: a test's
// result, the usage of a session.
struct FinishedRow {
    QString name;     // how the boxes call it: "result"
    QString fileStem; // the start of the suggested file name: "unsaved-result"
    QString fields;   // every field, one "Name: value" line each, as the report shows them
};

// How the first attempt starts: a control refreshed before (and kept so) stores at once; one
// set up just now is refreshed first.
enum class FirstAttempt { Store, RefreshThenStore };

// Stores the row through store() and never loses it. While storing fails, the user may try
// again, as often as they like; once they give up, they may save the row to a file of their
// choice; then the failure is reported as not caught (the program ends). True when stored.
bool storeOrRescue(store::DataControl& control, const FinishedRow& row, FirstAttempt first,
                   const std::function<bool()>& store);

} // namespace ui
