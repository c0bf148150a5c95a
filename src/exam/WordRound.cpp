#include "exam/WordRound.h"

#include "core/IdleSelector.h"
#include "core/WordTestKind.h"
#include "exam/EntryField.h"
#include "exam/WordPanels.h"
#include "ui/Counter.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace exam {

WordRound::WordRound(RoundView view, TestParts parts, QList<QLabel*> slotCaptions)
    : Round(std::move(view), std::move(parts)), slotCaptions(std::move(slotCaptions)) {}

void WordRound::start(const WordTestKind& kind) {
    view.testMenu.setEnabled(false);
    parts.menuItem.setEnabled(false);
    for (int i = 0; i < 3; ++i) {
        slotCaptions[i]->setText(kind.slotCaptions[i]);
        slotCaptions[3 + i]->setText(kind.slotCaptions[i]);
    }
    describeWordFields(parts.fields, slotCaptions);
    view.keystrokes.setText(QStringLiteral("0"));
    view.correct.setText(QStringLiteral("0"));
    view.error.setText(QStringLiteral("0"));
    ui::messageBox(ui::Icon::Information, kind.description, QStringLiteral("Quil's Data Entry"),
                   view.window);
    parts.seconds.setText(kind.seconds);
    parts.countdown.start();
    view.showOnly(*this);
    view.reset.setEnabled(true);
    view.testName.setText(kind.testName);
    view.drawNext(7);
    view.setDefaultButton(&parts.done);
    parts.done.setEnabled(true);
    view.idleSelector.stop();
    parts.fields.first()->setFocus();
    const WordRecord& record = recordForDraw(kind.pool, view.draw.text());
    for (int k = 0; k < kWordSlots; ++k)
        parts.references[k]->setText(QLatin1String(record.values[k]));
    view.keystrokes.setNumber(record.keystrokeBase);
}

void WordRound::done() {
    if (!requiredEntered(kWordRequired))
        return;
    stopCountdown();
    finish();
}

void WordRound::tick() {
    if (countDown())
        finish();
}

void WordRound::finish() {
    QList<ScoredField> fields;
    for (int k = 0; k < kWordSlots; ++k)
        fields.append({parts.references[k]->text(), parts.fields[k]->text(),
                       kWordSlotTable[k].matchCredit, kWordSlotTable[k].missCredit});
    writeScore(scoreFields(fields,
                           {view.correct.number(), view.error.number(), view.keystrokes.number()}));
    view.countdownText.clear();
    if (!summariseAndStore(QStringLiteral("Finish!")))
        return;

    clearFields();
    hidePanels();
    view.testMenu.setEnabled(true);
    parts.menuItem.setEnabled(true);
    stopCountdown();
    parts.done.setEnabled(false);
}

void WordRound::reset() {
    stopCountdown();
    hidePanels();
    parts.menuItem.setEnabled(true);
    clearFields();
}

} // namespace exam
