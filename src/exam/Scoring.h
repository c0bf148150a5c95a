#pragma once

#include <QList>
#include <QString>

class Counter;

namespace exam {

struct ScoredField {
    QString reference;
    QString entry;
    double matchCredit;
    double missCredit;
};

// Compares every field exactly with its reference, in order: a match adds the field's match
// credit to correct; a miss adds its miss credit to correct, then 1 to error. Each addition is
// written back to its counter before the next.
void scoreFields(const QList<ScoredField>& fields, Counter& correct, Counter& error);

// The number of characters typed into the fields.
int keystrokes(const QList<ScoredField>& fields);

} // namespace exam
