#pragma once

#include "support/Seams.h"

#include <QList>
#include <QStringList>
#include <memory>

class EntryField;
class frmEntry;

namespace quiltest {

// The main window loaded over a fresh database in a temporary program folder, shown and
// active, with its idle selector stopped (its ticks would draw behind a test's back).
class MainWindow {
public:
    MainWindow();
    ~MainWindow();

    Seams seams;
    std::unique_ptr<frmEntry> window;

    // Types each non-empty entry into its field, as keys.
    static void type(const QList<EntryField*>& fields, const QStringList& entries);
};

} // namespace quiltest
