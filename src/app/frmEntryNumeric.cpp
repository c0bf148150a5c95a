// The Numeric test: its start, the Done button, the countdown and the scoring.
#include "app/frmEntry.h"
#include "core/NumericContent.h"
#include "core/Scoring.h"
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

namespace {
const QString kNumericDescription = QStringLiteral(
    "Numberic Test:\r\nDescription: 20 Fields X 4 Numbers = 80 Keystrokes\r\nDuration: 25 seconds");
} // namespace

void frmEntry::number_Click() {
    ks->setText(QStringLiteral("0"));
    correct->setText(QStringLiteral("0"));
    error->setText(QStringLiteral("0"));
    Timer5->stop();
    Test->setEnabled(false);
    setDefaultButton(Command1);
    ui::messageBox(ui::Icon::Information, kNumericDescription, QStringLiteral("Quil's Data Entry"),
                   this);
    quilr->clear();
    s->setText(QStringLiteral("25"));
    picTx->setEnabled(true);
    draw(7);
    Reste->setEnabled(true);
    Label23->setText(QStringLiteral("Numeric"));
    number->setEnabled(false);
    picNum->show();
    picNumb->show();
    Timer2->start();
    pical->hide();
    pical2->hide();
    Timer1->stop();
    Command1->setEnabled(true);
    for (EntryField* field : std::as_const(numericFields))
        field->clear();
    numericFields.first()->setFocus();
    // The sets are told apart by the text of the draw, as the counter holds it.
    const QString drawn = a->text();
    for (int set = 0; set < int(exam::kNumberSets.size()); ++set) {
        if (drawn != QString::number(set))
            continue;
        for (int k = 0; k < exam::kNumericFields; ++k)
            numericReferences[k]->setText(QLatin1String(exam::kNumberSets[set][k]));
    }
}

void frmEntry::Command1_Click() {
    for (int k = 0; k < exam::kNumericRequired; ++k) {
        if (numericFields[k]->text().isEmpty()) {
            Windows::show<frmTu>();
            Timer3->start();
            return;
        }
    }
    Timer2->stop();
    scoreNumeric(QStringLiteral("Finish!"));
}

void frmEntry::Timer2_Timer() {
    s->add(-1);
    quilr->setText(QStringLiteral("Timer: ") + s->text() + QStringLiteral(" sec"));
    if (s->number() > 0)
        return;
    Timer2->stop();
    scoreNumeric(QStringLiteral("Time's Up!"));
}

void frmEntry::scoreNumeric(const QString& firstLine) {
    QList<exam::ScoredField> fields;
    for (int k = 0; k < exam::kNumericFields; ++k)
        fields.append({numericReferences[k]->text(), numericFields[k]->text(),
                       exam::kNumericMatchCredit, exam::kNumericMissCredits[k]});
    const exam::Score score = exam::scoreFields(fields, {correct->number(), error->number(), 0});
    correct->setNumber(score.accuracy);
    error->setNumber(score.errors);
    ks->setNumber(score.keystrokes);
    Command1->setEnabled(false);
    quilr->clear();
    if (!exam::summariseAndStore(*this, firstLine))
        return;

    number->setEnabled(true);
    s->setText(QStringLiteral("25"));
    for (EntryField* field : std::as_const(numericFields))
        field->clear();
    picNum->hide();
    picNumb->hide();
    quilr->clear();
    Reste->setEnabled(false);
    Timer1->stop();
    correct->setText(QStringLiteral("0"));
    Test->setEnabled(true);
    Timer3->stop();
}
