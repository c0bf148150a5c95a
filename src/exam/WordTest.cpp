// The Alpha and Alpha-Numeric tests: their start, the Done button, the countdown and the
// scoring. Both run the same steps, told the texts and numbers that differ.
#include "exam/WordTest.h"

#include "app/Counter.h"
#include "app/Windows.h"
#include "app/frmEntry.h"
#include "exam/EntryField.h"
#include "exam/ResultRecord.h"
#include "exam/Scoring.h"
#include "platform/MessageBox.h"
#include "ui/frmTu.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace exam {

const WordTestKind kAlphaTest{
    {QStringLiteral("Department:"), QStringLiteral("Coordinator:"), QStringLiteral("Dean:")},
    QStringLiteral("alpha test:\r\ndescription: 12 fields x random entry = 120 keystrokes\r\n"
                   "duration: 35 seconds"),
    QStringLiteral("35"),
    QStringLiteral("alpha"),
    kAlphaPool};

const WordTestKind kAlphaNumericTest{
    {QStringLiteral("Contact:"), QStringLiteral("Address:"), QStringLiteral("Email:")},
    QStringLiteral("alpha-Numeric test:\r\ndescription: 12 fields x random entry = 140 "
                   "keystrokes\r\nduration: 40 seconds"),
    QStringLiteral("40"),
    QStringLiteral("alpha numeric"),
    kAlphaNumericPool};

const WordRecord& recordForDraw(const WordPool& pool, const QString& draw) {
    for (int record = 0; record < 4; ++record)
        if (draw == QString::number(record))
            return pool[record];
    return pool[4];
}

} // namespace exam

void frmEntry::alpha_Click() { startWordTest(exam::kAlphaTest); }

void frmEntry::an_Click() { startWordTest(exam::kAlphaNumericTest); }

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
    platform::messageBox(platform::Icon::Information, kind.description,
                         QStringLiteral("Quil's Data Entry"), this);
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
    ks->add(exam::keystrokes(fields));
    exam::scoreFields(fields, *correct, *error);
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
