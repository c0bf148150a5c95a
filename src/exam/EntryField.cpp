#include "exam/EntryField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>

namespace {

// Character code 8: the Backspace key itself, and Ctrl+H that sends the same code.
bool isBackspace(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace)
        return true;
    if (event->key() == Qt::Key_H && (event->modifiers() & Qt::ControlModifier))
        return true;
    return event->text() == QLatin1String("\b");
}

} // namespace

EntryField::EntryField(const QString& name, QLabel* referenceLabel, int limit, QWidget* parent)
    : QLineEdit(parent), reference(referenceLabel) {
    setObjectName(name);
    setMaxLength(limit);
    connect(this, &QLineEdit::textChanged, this, &EntryField::Change);
}

bool EntryField::matchesReference() const {
    return reference && text() == reference->text();
}

QColor EntryField::textColour() const {
    return palette().color(QPalette::Text);
}

void EntryField::Change() {
    if (successor && text().length() == maxLength())
        successor->setFocus();
}

void EntryField::LostFocus() {
    QPalette colours = palette();
    colours.setColor(QPalette::Text, matchesReference() ? QColor(0, 0, 0) : QColor(255, 0, 0));
    setPalette(colours);
}

void EntryField::keyPressEvent(QKeyEvent* event) {
    if (isBackspace(event)) {
        event->accept(); // discarded
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window coming to the front (a message box, the notice, a window opened from the
    // menu) or a menu opening takes the focus from the whole window, not from the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    LostFocus();
}
