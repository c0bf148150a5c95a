#include "ui/Windows.h"

#include <QEvent>
#include <QHash>
#include <QPointer>

namespace {

// Follows one loaded window, as its child. QWidget::close() first sends the window a close
// event, and hides the window if it accepts the event; a window released on close
// (WA_DeleteOnClose) is then deleted by the event loop. So a window hidden since a close event
// that found it released on close has closed for good, although it still exists. A window
// that ignores the event stays shown, and the program hides its windows only by closing them:
// a hidden window so marked did accept.
class LoadedWindow final : public QObject {
public:
    explicit LoadedWindow(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    QWidget* window() const { return static_cast<QWidget*>(parent()); }

    bool closedForGood() const { return releasing && window()->isHidden(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            releasing = window()->testAttribute(Qt::WA_DeleteOnClose);
        else if (event->type() == QEvent::Show)
            releasing = false;
        return QObject::eventFilter(watched, event);
    }

private:
    bool releasing = false;
};

QHash<std::type_index, QPointer<LoadedWindow>>& loaded() {
    static QHash<std::type_index, QPointer<LoadedWindow>> windows;
    return windows;
}

} // namespace

void Windows::track(std::type_index type, QWidget& window) {
    loaded().insert(type, new LoadedWindow(window));
}

QWidget* Windows::stillLoaded(std::type_index type) {
    const LoadedWindow* entry = loaded().value(type).data();
    if (!entry || entry->closedForGood()) {
        loaded().remove(type);
        return nullptr;
    }
    return entry->window();
}
