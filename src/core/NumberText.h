#pragma once

#include <QString>

// Numbers kept in counters and written to the database are text: the shortest decimal form
// with at most 15 significant digits and "." as separator, whatever the process locale. An
// empty text reads as 0.
QString numberText(double value);
double numberValue(const QString& text);
