#include "exam/Scoring.h"

#include "app/Counter.h"

namespace exam {

void scoreFields(const QList<ScoredField>& fields, Counter& correct, Counter& error) {
    for (const ScoredField& field : fields) {
        if (field.entry == field.reference) {
            correct.add(field.matchCredit);
        } else {
            correct.add(field.missCredit);
            error.add(1);
        }
    }
}

int keystrokes(const QList<ScoredField>& fields) {
    int count = 0;
    for (const ScoredField& field : fields)
        count += field.entry.length();
    return count;
}

} // namespace exam
