#include "core/Scoring.h"

#include "core/NumberText.h"

namespace exam {
namespace {
// One step of a counter: the sum as its number text holds it.
void add(double& counter, double amount) {
    counter = numberValue(numberText(counter + amount));
}
} // namespace

Score scoreFields(const QList<ScoredField>& fields, Score start) {
    Score score = start;
    for (const ScoredField& field : fields) {
        add(score.keystrokes, field.entry.length());
        if (field.entry == field.reference) {
            add(score.accuracy, field.matchCredit);
        } else {
            add(score.accuracy, field.missCredit);
            add(score.errors, 1);
        }
    }
    return score;
}

} // namespace exam
