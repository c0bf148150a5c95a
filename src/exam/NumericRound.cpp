#include "exam/NumericRound.h"

#include "core/IdleSelector.h"
#include "core/NumericContent.h"
#include "exam/EntryField.h"
#include "ui/Counter.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace exam {
namespace {
const QString kDescription = QStringLiteral(
    "Numberic Test:\r\nDescription: 20 Fields X 4 Numbers = 80 Keystrokes\r\nDuration: 25 seconds");
const QString kSeconds = QStringLiteral("25");
} // namespace

NumericRound::NumericRound(RoundView view, TestParts parts, QWidget& fieldFrame,
                           QTimer& noticeClearing)
    : Round(std::move(view), std::move(parts)), fieldFrame(fieldFrame),
      noticeClearing(noticeClearing) {}

void NumericRound::start() {
    view.keystrokes.setText(QStringLiteral("0"));
    view.correct.setText(QStringLiteral("0"));
    view.error.setText(QStringLiteral("0"));
    // No other countdown ticks under the description box.
    view.stopOtherCountdowns(*this);
    view.testMenu.setEnabled(false);
    view.setDefaultButton(&parts.done);
    ui::messageBox(ui::Icon::Information, kDescription, QStringLiteral("Quil's Data Entry"),
                   view.window);
    view.countdownText.clear();
    parts.seconds.setText(kSeconds);
    fieldFrame.setEnabled(true);
    view.drawNext(7);
    view.reset.setEnabled(true);
    view.testName.setText(QStringLiteral("Numeric"));
    parts.menuItem.setEnabled(false);
    view.showOnly(*this);
    parts.countdown.start();
    view.idleSelector.stop();
    parts.done.setEnabled(true);
    clearFields();
    parts.fields.first()->setFocus();
    // The sets are told apart by the text of the draw, as the counter holds it.
    const QString drawn = view.draw.text();
    for (int set = 0; set < int(kNumberSets.size()); ++set) {
        if (drawn != QString::number(set))
            continue;
        for (int k = 0; k < kNumericFields; ++k)
            parts.references[k]->setText(QLatin1String(kNumberSets[set][k]));
    }
}

void NumericRound::done() {
    if (!requiredEntered(kNumericRequired)) {
        noticeClearing.start();
        return;
    }
    stopCountdown();
    finish(QStringLiteral("Finish!"));
}

void NumericRound::tick() {
    if (countDown())
        finish(QStringLiteral("Time's Up!"));
}

void NumericRound::finish(const QString& firstLine) {
    QList<ScoredField> fields;
    for (int k = 0; k < kNumericFields; ++k)
        fields.append({parts.references[k]->text(), parts.fields[k]->text(), kNumericMatchCredit,
                       kNumericMissCredits[k]});
    writeScore(scoreFields(fields, {view.correct.number(), view.error.number(), 0}));
    parts.done.setEnabled(false);
    view.countdownText.clear();
    if (!summariseAndStore(firstLine))
        return;

    parts.menuItem.setEnabled(true);
    parts.seconds.setText(kSeconds);
    clearFields();
    hidePanels();
    view.countdownText.clear();
    view.reset.setEnabled(false);
    view.idleSelector.stop();
    view.correct.setText(QStringLiteral("0"));
    view.testMenu.setEnabled(true);
    noticeClearing.stop();
}

void NumericRound::reset() {
    parts.menuItem.setEnabled(true);
    stopCountdown();
    parts.seconds.setText(kSeconds);
    clearFields();
    hidePanels();
}

} // namespace exam
