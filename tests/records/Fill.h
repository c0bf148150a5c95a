#pragma once

#include "support/Rows.h"

#include <QString>

namespace recordstest {

// Adds count result rows to tblRem in one statement; row i (from 1) has Name "agent i" and
// Date "d i", so a row's text tells its place.
inline void fillResults(const QString& databasePath, int count) {
    quiltest::execute(databasePath,
                      QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                     "FROM n WHERE i < %1) "
                                     "INSERT INTO tblRem (Date, Time, Name, Test, Errors, "
                                     "Accuracy, Keystroke) SELECT 'd ' || i, '1:00:00 PM', "
                                     "'agent ' || i, 'Numeric', '0', '100', '80' FROM n")
                          .arg(count));
}

} // namespace recordstest
