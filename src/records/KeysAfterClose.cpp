#include "records/KeysAfterClose.h"

#include "ui/KeySender.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <memory>

namespace records {
namespace {

bool focusRestsElsewhere(const QWidget* closing) {
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus->window() != closing && focus->window()->isVisible();
}

} // namespace

void sendHomeShiftEndOnceGone(QWidget* closing) {
    // Compared by address only: the window may be deleted by the time the keys go.
    const QWidget* gone = closing;
    // Activation of the next window is announced through the event loop, so look after it.
    QTimer::singleShot(0, qApp, [gone] {
        if (focusRestsElsewhere(gone)) {
            ui::sendHomeShiftEnd();
            return;
        }
        auto sent = std::make_shared<bool>(false);
        auto* watcher = new QObject(qApp);
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, watcher,
                         [gone, sent, watcher] {
                             if (*sent || !focusRestsElsewhere(gone))
                                 return;
                             *sent = true;
                             watcher->deleteLater();
                             ui::sendHomeShiftEnd();
                         });
    });
}

} // namespace records
