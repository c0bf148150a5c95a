#pragma once

#include <QList>
#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace e2e {

// A top-level window on the X screen.
struct Window {
    QString id;
    QString title;
    QRect geometry;       // screen pixels, the client area (there is no window manager to frame it)
    bool isPopup = false; // a drop-down menu or another pop-up, not a form or message box
};

// Works an X display the way a person does: key presses and pointer clicks go in through the
// XTEST extension (xdotool without --window), so the program gets them as real input; windows
// are found by their exact titles, and the screen is photographed with ImageMagick's import.
// Every wait is bounded; a failed step leaves its reason in error().
class Desktop {
public:
    explicit Desktop(const QString& display);

    // The tools this needs, by program name, that cannot be found.
    static QStringList missingTools();

    // The visible window of exactly this title (a form or a message box, never a menu that
    // happens to carry the application's name), once it is there.
    std::optional<Window> waitForWindow(const QString& title, int timeoutMs);
    bool waitUntilGone(const QString& title, int timeoutMs);
    // Some drop-down menu of the program is open.
    bool waitForMenu(int timeoutMs);

    // What a window manager does when a person clicks into a window: the pointer over it and
    // the keyboard focus in it, so that the toolkit takes the window as the active one.
    bool activate(const Window& window);
    bool click(const Window& window, QPoint offset);
    bool keys(const QStringList& keyNames);
    bool type(const QString& text);
    bool screenshot(const QString& path);

    QString error() const { return lastError; }

private:
    QList<Window> visibleWindows();
    std::optional<Window> visibleWindow(const QString& title);
    bool pointTo(QPoint screenPoint);
    bool xdotool(const QStringList& arguments, QString* output = nullptr);
    bool run(const QString& program, const QStringList& arguments, QString* output,
             bool emptyIsFine = false);
    bool fail(const QString& text);

    QProcessEnvironment environment;
    QString lastError;
};

} // namespace e2e
