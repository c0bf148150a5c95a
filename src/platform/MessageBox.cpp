#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

MessageBoxHook& hook() {
    static MessageBoxHook h;
    return h;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// On a platform without a screen nobody could ever answer a modal box: it would hang the
// program. There the box is answered at once; reports that matter also go to stderr.
bool headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

void messageBox(Icon icon, const QString& text, const QString& title, QWidget* parent) {
    if (hook()) {
        hook()(icon, text, title);
        return;
    }
    if (headless())
        return;
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

void setMessageBoxHook(MessageBoxHook h) { hook() = std::move(h); }

} // namespace platform
