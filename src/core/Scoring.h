#pragma once

#include <QList>
#include <QString>

namespace exam {

struct ScoredField {
    QString reference;
    QString entry;
    double matchCredit;
    double missCredit;
};

// What a round scores: its accuracy credits, its errors and its keystrokes.
struct Score {
    double accuracy = 0;
    double errors = 0;
    double keystrokes = 0;
};

// Scores the fields from a start (the counters' values when the round is scored), in order:
// a match adds the field's match credit to the accuracy; a miss adds its miss credit, then 1
// to the errors. Every character typed adds a keystroke. Each addition is rounded to number
// text before the next, as the window's counters keep their values.
Score scoreFields(const QList<ScoredField>& fields, Score start);

} // namespace exam
