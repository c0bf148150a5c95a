// frmEntry: the Alpha and Alpha-Numeric tests, their panels' parts and their round. Both tests
// run in the same round, told the kind that starts.
#include "app/frmEntry.h"
#include "core/WordTestKind.h"
#include "exam/WordPanels.h"
#include "exam/WordRound.h"

#include <QPushButton>

void frmEntry::createWordTests() {
    const exam::WordPanels panels = exam::buildWordPanels(pical2, pical);
    wordReferences = panels.references;
    wordFields = panels.fields;
    wordSlotCaptions = panels.slotCaptions;
    Command2 = panels.done;
    connect(Command2, &QPushButton::clicked, this, &frmEntry::Command2_Click);
    wordRound = std::make_unique<exam::WordRound>(
        roundView(),
        exam::TestParts{
            *aa, *Timer5, *alpha, *Command2, {pical, pical2}, wordReferences, wordFields},
        wordSlotCaptions);
    rounds.append(wordRound.get());
}

void frmEntry::alpha_Click() {
    wordRound->start(exam::kAlphaTest);
}

void frmEntry::an_Click() {
    wordRound->start(exam::kAlphaNumericTest);
}

void frmEntry::Command2_Click() {
    wordRound->done();
}

void frmEntry::Timer5_Timer() {
    wordRound->tick();
}
