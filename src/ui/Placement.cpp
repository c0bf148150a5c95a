#include "ui/Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui {
namespace {

// A title bar and border as common window managers draw them at 96 dpi, on the generous side:
// assumed too large, a window placed before it is framed stands a little lower than it could;
// too small, its title bar would lie above the screen until it is framed.
constexpr QMargins kFrameEstimate{4, 30, 4, 4};

// Moves [start, start + length) as little as needed into [low, high); where it is longer,
// its start is kept at low.
int within(int start, int length, int low, int high) {
    return std::max(std::min(start, high - length), low);
}

bool hasFrame(const QWidget& window) {
    const Qt::WindowType type = window.windowType();
    return !window.windowFlags().testFlag(Qt::FramelessWindowHint) && type != Qt::Popup &&
           type != Qt::ToolTip && type != Qt::SplashScreen;
}

struct Frame {
    QMargins margins;
    bool estimated = false;
};

// A window on the screen has the frame the window system tells, none included. Before, a
// window system that tells none may yet frame it when it shows.
Frame frameOf(const QWidget& window) {
    if (!hasFrame(window))
        return {};
    const QWindow* native = window.windowHandle();
    const QMargins told = native ? native->frameMargins() : QMargins();
    if (!told.isNull() || (native && native->isExposed()))
        return {told, false};
    return {kFrameEstimate, true};
}

QRect availableAt(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void setClientPlace(QWidget& window, const QRect& wanted, const QMargins& frame) {
    const QRect available = availableAt(wanted.marginsAdded(frame).center());
    const QRect placed = available.isEmpty() ? wanted : placedWithin(wanted, frame, available);
    // The client area's place, not the frame's: before the window is framed Qt cannot tell
    // the one from the other, and would put the client area where the frame was meant to be.
    window.setGeometry(placed);
}

// A window placed by an estimate of its frame moves in once, at its first exposure, if its
// real frame reaches out of the screen after all (a taller title bar than assumed).
class FirstExposure final : public QObject {
public:
    static void watch(QWidget& window) {
        for (QObject* child : window.children())
            if (dynamic_cast<FirstExposure*>(child))
                return;
        new FirstExposure(window);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent()) {
            if (event->type() == QEvent::Show)
                watchNative();
        } else if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            moveIn();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    explicit FirstExposure(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
        watchNative();
    }

    QWidget& window() const { return *static_cast<QWidget*>(parent()); }

    // The native window exists once the widget is created, at the latest as it shows.
    void watchNative() {
        if (QWindow* native = window().windowHandle())
            native->installEventFilter(this);
    }

    void moveIn() {
        const QMargins real = window().windowHandle()->frameMargins();
        if (!real.isNull())
            setClientPlace(window(), window().geometry(), real);
        deleteLater();
    }
};

// A window system that frames windows before they show tells the frame once the window exists.
QWidget& created(QWidget& window) {
    (void)window.winId();
    return window;
}

void place(QWidget& window, QPoint frameTopLeft, const Frame& frame) {
    const QPoint clientTopLeft = frameTopLeft + QPoint(frame.margins.left(), frame.margins.top());
    setClientPlace(window, QRect(clientTopLeft, window.size()), frame.margins);
    if (frame.estimated)
        FirstExposure::watch(window);
}

} // namespace

QRect placedWithin(const QRect& wanted, const QMargins& frame, const QRect& available) {
    const QRect outer = wanted.marginsAdded(frame);
    const int left = within(outer.left(), outer.width(), available.left(), available.right() + 1);
    const int top = within(outer.top(), outer.height(), available.top(), available.bottom() + 1);
    return QRect(QPoint(left + frame.left(), top + frame.top()), wanted.size());
}

QMargins frameMargins(const QWidget& window) {
    return frameOf(window).margins;
}

void placeFrameAt(QWidget& window, QPoint frameTopLeft) {
    place(window, frameTopLeft, frameOf(created(window)));
}

void centreFrameOn(QWidget& window, QPoint centre) {
    const Frame frame = frameOf(created(window));
    QRect outer(QPoint(), window.size().grownBy(frame.margins));
    outer.moveCenter(centre);
    place(window, outer.topLeft(), frame);
}

} // namespace ui
