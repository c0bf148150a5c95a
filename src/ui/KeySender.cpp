#include "ui/KeySender.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace ui {
namespace {
void sendKey(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}
} // namespace

void sendHomeShiftEnd() {
    sendKey(Qt::Key_Home, Qt::NoModifier);
    sendKey(Qt::Key_End, Qt::ShiftModifier);
}

} // namespace ui
