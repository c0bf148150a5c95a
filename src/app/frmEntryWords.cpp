// frmEntry: the Alpha and Alpha-Numeric tests: their start, the Done button, the countdown and
// the scoring. Both run the same steps, told the texts and numbers that differ.
#include "app/frmEntry.h"
#include "core/Scoring.h"
#include "core/WordTestKind.h"
#include "exam/EntryField.h"
#include "exam/ResultRecord.h"
#include "ui/Counter.h"
#include "ui/MessageBox.h"
#include "ui/Windows.h"
#include "ui/frmTu.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

void frmEntry::alpha_Click() {
    startWordTest(exam::kAlphaTest);
}

void frmEntry::an_Click() {
    startWordTest(exam::kAlphaNumericTest);
}

void frmEntry::startWordTest(const exam::WordTestKind& kind) {
    Test->setEnabled(false);
    alpha->setEnabled(false);
    for (int i = 0; i < 3; ++i) {
        wordSlotCaptions[i]->setText(kind.slotCaptions[i]);
        wordSlotCaptions[3 + i]->setText(kind.slotCaptions[i]);
    }
    ks->setText(QStringLiteral("0"));
    correct->setText(QStringLiteral("0"));
    error->setText(QStringLiteral("0"));
    ui::messageBox(ui::Icon::Information, kind.description, QStringLiteral("Quil's Data Entry"),
                   this);
    aa->setText(kind.seconds);
    Timer5->start();
    pical->show();
    pical2->show();
    Reste->setEnabled(true);
    picNum->hide();
    picNumb->hide();
    Label23->setText(kind.testName);
    draw(7);
    setDefaultButton(Command2);
    Command2->setEnabled(true);
    Timer1->stop();
    wordFields.first()->setFocus();
    Timer2->stop();
    const exam::WordRecord& record = exam::recordForDraw(kind.pool, a->text());
    for (int k = 0; k < exam::kWordSlots; ++k)
        wordReferences[k]->setText(QLatin1String(record.values[k]));
    ks->setNumber(record.keystrokeBase);
}

void frmEntry::Command2_Click() {
    for (int k = 0; k < exam::kWordRequired; ++k) {
        if (wordFields[k]->text().isEmpty()) {
            Windows::show<frmTu>();
            return;
        }
    }
    Timer5->stop();
    scoreWords();
}

void frmEntry::Timer5_Timer() {
    aa->add(-1);
    quilr->setText(QStringLiteral("Timer: ") + aa->text() + QStringLiteral(" sec"));
    if (aa->number() > 0)
        return;
    Timer5->stop();
    scoreWords();
}

void frmEntry::scoreWords() {
    QList<exam::ScoredField> fields;
    for (int k = 0; k < exam::kWordSlots; ++k)
        fields.append({wordReferences[k]->text(), wordFields[k]->text(),
                       exam::kWordSlotTable[k].matchCredit, exam::kWordSlotTable[k].missCredit});
    const exam::Score score =
        exam::scoreFields(fields, {correct->number(), error->number(), ks->number()});
    correct->setNumber(score.accuracy);
    error->setNumber(score.errors);
    ks->setNumber(score.keystrokes);
    quilr->clear();
    if (!exam::summariseAndStore(*this, QStringLiteral("Finish!")))
        return;

    for (EntryField* field : std::as_const(wordFields))
        field->clear();
    pical->hide();
    pical2->hide();
    Test->setEnabled(true);
    alpha->setEnabled(true);
    Timer5->stop();
    Command2->setEnabled(false);
}
