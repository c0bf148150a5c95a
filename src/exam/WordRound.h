#pragma once

#include "exam/Round.h"

namespace exam {

struct WordTestKind;

// The Alpha and the Alpha-Numeric test: twelve slots of a record drawn from the kind's pool.
// Both run the same steps, told the texts and numbers that differ by the kind they start.
class WordRound : public Round {
public:
    // The slot captions: those of slots 10 to 12 on the reference panel, then on the entry panel.
    WordRound(RoundView view, TestParts parts, QList<QLabel*> slotCaptions);

    void start(const WordTestKind& kind);
    void done();
    void tick();
    void reset() override;

private:
    void finish();

    QList<QLabel*> slotCaptions;
};

} // namespace exam
