#include "ui/clsOnTop.h"

#include <QWidget>
#include <QWindow>

namespace {

void setKeepAbove(QWidget* window, bool above) {
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == above)
        return;
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, above);
    if (QWindow* native = window->windowHandle()) {
        // A window that exists already changes band in place: setWindowFlags would hide and
        // re-create it, losing its place.
        window->overrideWindowFlags(flags);
        native->setFlags(flags);
    } else {
        window->setWindowFlags(flags);
    }
}

} // namespace

void clsOnTop::MakeTopMost(QWidget* hWnd) {
    setKeepAbove(hWnd, true);
}

void clsOnTop::MakeNormal(QWidget* hWnd) {
    setKeepAbove(hWnd, false);
}

clsOnTop& onTop() {
    static clsOnTop shared;
    return shared;
}
