// The window registry: which windows it still counts as loaded once they are hidden or closed.
#include "ui/Windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>

namespace {

// Released on close, as the program's windows are; it can refuse to close.
class Released : public QWidget {
public:
    Released() { setAttribute(Qt::WA_DeleteOnClose); }
    void Form_Load() {}
    bool refusesClose = false;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refusesClose); }
};

// Only hidden by a close, as the main window is.
class Kept : public Released {
public:
    Kept() { setAttribute(Qt::WA_DeleteOnClose, false); }
};

enum class Way { NotShown, Hidden, CloseRefused, Closed, ClosedUnshown, CloseBox };

template <class W> void leave(W* window, Way way) {
    if (way != Way::NotShown && way != Way::ClosedUnshown) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    window->refusesClose = way == Way::CloseRefused;
    switch (way) {
    case Way::NotShown:
        break;
    case Way::Hidden:
        window->hide();
        break;
    case Way::CloseRefused:
        QVERIFY(!window->close());
        break;
    case Way::Closed:
    case Way::ClosedUnshown:
        QVERIFY(window->close());
        break;
    case Way::CloseBox:
        window->windowHandle()->close();
        break;
    }
}

// Loads a window, leaves it that way, then shows the window of its class again at once.
template <class W> void showAgainAfter(Way way, bool stillLoaded) {
    QPointer<W> first = Windows::load<W>();
    leave(first.data(), way);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(first); // whatever happened, not deleted before the event loop runs
    QCOMPARE(Windows::find<W>(), stillLoaded ? first.data() : nullptr);

    QPointer<W> next = Windows::show<W>();
    QCOMPARE(next == first, stillLoaded);
    QVERIFY(next->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(next);
    QCOMPARE(Windows::find<W>(), next.data());
    delete first.data();
    delete next.data();
}

} // namespace

Q_DECLARE_METATYPE(Way)

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void aWindowIsUnloadedOnceItClosed_data();
    void aWindowIsUnloadedOnceItClosed();
    void aWindowKeptOnCloseStaysLoaded();
};

void WindowsTest::aWindowIsUnloadedOnceItClosed_data() {
    QTest::addColumn<Way>("way");
    QTest::addColumn<bool>("stillLoaded");
    QTest::newRow("loaded, never shown") << Way::NotShown << true;
    QTest::newRow("shown, then hidden") << Way::Hidden << true;
    QTest::newRow("its close event ignored") << Way::CloseRefused << true;
    QTest::newRow("closed") << Way::Closed << false;
    QTest::newRow("closed before it was shown") << Way::ClosedUnshown << false;
    QTest::newRow("the window manager's close box") << Way::CloseBox << false;
}

void WindowsTest::aWindowIsUnloadedOnceItClosed() {
    QFETCH(Way, way);
    QFETCH(bool, stillLoaded);
    showAgainAfter<Released>(way, stillLoaded);
}

void WindowsTest::aWindowKeptOnCloseStaysLoaded() {
    showAgainAfter<Kept>(Way::Closed, true);
}

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
