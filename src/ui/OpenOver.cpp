#include "ui/OpenOver.h"

#include "ui/Placement.h"

#include <QEvent>
#include <QList>
#include <QWidget>

namespace ui {
namespace {

// The windows open over one owner, as the owner's child.
class OpenWindows final : public QObject {
public:
    static OpenWindows& of(QWidget& owner) {
        for (QObject* child : owner.children()) {
            if (auto* windows = dynamic_cast<OpenWindows*>(child))
                return *windows;
        }
        return *new OpenWindows(owner);
    }

    void add(QWidget& window) {
        owner().setEnabled(false);
        if (open.contains(&window))
            return;
        open.append(&window);
        window.installEventFilter(this);
        connect(&window, &QObject::destroyed, this, &OpenWindows::remove);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A minimised window gets a hide event from the window system, but is still visible
        // in the sense of isVisible(): it is still open.
        if (event->type() == QEvent::Hide && !static_cast<QWidget*>(watched)->isVisible())
            remove(watched);
        return QObject::eventFilter(watched, event);
    }

private:
    explicit OpenWindows(QWidget& owner) : QObject(&owner) {}

    QWidget& owner() const { return *static_cast<QWidget*>(parent()); }

    void remove(QObject* window) {
        if (!open.removeOne(window))
            return;
        window->removeEventFilter(this);
        disconnect(window, &QObject::destroyed, this, &OpenWindows::remove);
        if (open.isEmpty())
            owner().setEnabled(true);
    }

    QList<QObject*> open;
};

} // namespace

void openOver(QWidget& owner, QWidget& window) {
    OpenWindows::of(owner).add(window);
}

void centreOn(QWidget& window, const QWidget& on) {
    centreFrameOn(window, on.frameGeometry().center());
}

} // namespace ui
