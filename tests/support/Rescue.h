#pragma once

#include "support/Seams.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <functional>

namespace quiltest {

// What a user does after a finished row could not be stored, and what must follow: the same
// for every window that stores such a row.
struct RescueScenario {
    QString name;
    int retries = 0;   // Retry answers before the user gives up
    int cureAt = 0;    // the question during which the cause of the failure goes (0: never)
    QStringList files; // the save dialogs' choices, relative to the program folder ("": cancel)
    int refused = 0;   // choices that cannot be written, each followed by a box
    QString savedTo;   // the choice that holds the row in the end ("": none)

    bool stored() const { return cureAt > 0 && cureAt <= retries; }
    int questions() const { return stored() ? cureAt : retries + 1; }
};

QList<RescueScenario> rescueScenarios();

// The _data rows of a storing failure on table, for every scenario, under two faults: the table
// renamed away (its Refresh fails first) and a trigger refusing the row. Columns: sabotage,
// cure, engineSays, scenario.
void addRescueRows(const QString& table);

// The row as the window should offer and save it.
struct FinishedRow {
    QString fileStem;   // the suggested file name starts so
    QStringList fields; // every "Name: value" line of the row
    QString reason;     // a part of the engine's error text
};

// Scripts the answers and the files of the scenario; cure runs while the question the
// scenario names is open.
void script(Seams& seams, const RescueScenario& scenario, std::function<void()> cure);

// Checks the boxes from index first on, the dialogs offered, the file saved and the end. The
// end is only checked when the row could not be stored.
void verifyRescue(const Seams& seams, const RescueScenario& scenario, qsizetype first,
                  const FinishedRow& row);

} // namespace quiltest

Q_DECLARE_METATYPE(quiltest::RescueScenario)
