#include "exam/Round.h"

#include "exam/EntryField.h"
#include "ui/Counter.h"
#include "ui/Windows.h"
#include "ui/frmTu.h"

#include <QLabel>
#include <QTimer>

namespace exam {

Round::Round(RoundView view, TestParts parts) : view(std::move(view)), parts(std::move(parts)) {}

Round::~Round() = default;

void Round::standAside() {
    hidePanels();
    stopCountdown();
}

void Round::showPanels() {
    for (QWidget* panel : std::as_const(parts.panels))
        panel->show();
}

void Round::hidePanels() {
    for (QWidget* panel : std::as_const(parts.panels))
        panel->hide();
}

void Round::stopCountdown() {
    parts.countdown.stop();
}

bool Round::countDown() {
    parts.seconds.add(-1);
    view.countdownText.setText(QStringLiteral("Timer: ") + parts.seconds.text() +
                               QStringLiteral(" sec"));
    if (parts.seconds.number() > 0)
        return false;
    parts.countdown.stop();
    return true;
}

bool Round::requiredEntered(int required) {
    for (int k = 0; k < required; ++k) {
        if (parts.fields[k]->text().isEmpty()) {
            Windows::show<frmTu>();
            return false;
        }
    }
    return true;
}

void Round::writeScore(const Score& score) {
    view.correct.setNumber(score.accuracy);
    view.error.setNumber(score.errors);
    view.keystrokes.setNumber(score.keystrokes);
}

bool Round::summariseAndStore(const QString& firstLine) {
    return exam::summariseAndStore(view.window, firstLine, view.currentResult, view.results);
}

void Round::clearFields() {
    for (EntryField* field : std::as_const(parts.fields))
        field->clear();
}

} // namespace exam
