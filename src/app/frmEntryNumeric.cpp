// frmEntry: the Numeric test, its panel's parts and its round.
#include "app/frmEntry.h"
#include "exam/NumericPanel.h"
#include "exam/NumericRound.h"

#include <QPushButton>

void frmEntry::createNumericTest() {
    const exam::NumericPanel panel = exam::buildNumericPanel(picNumb, picTx, Command1);
    numericReferences = panel.references;
    numericFields = panel.fields;
    numericRound = std::make_unique<exam::NumericRound>(
        roundView(),
        exam::TestParts{
            *s, *Timer2, *number, *Command1, {picNum, picNumb}, numericReferences, numericFields},
        *picTx, *Timer3);
    rounds.append(numericRound.get());
}

void frmEntry::number_Click() {
    numericRound->start();
}

void frmEntry::Command1_Click() {
    numericRound->done();
}

void frmEntry::Timer2_Timer() {
    numericRound->tick();
}
