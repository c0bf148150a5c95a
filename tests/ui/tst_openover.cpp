// A window opened over its owner: the owner takes no input until the window has gone.
#include "ui/OpenOver.h"

#include <QCloseEvent>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <memory>

namespace {

// A dialog that can refuse to close.
class Window : public QDialog {
public:
    bool refusesClose = false;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refusesClose); }
};

} // namespace

class OpenOverTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void theOwnerIsEnabledOnceTheWindowHasGone_data();
    void theOwnerIsEnabledOnceTheWindowHasGone();
    void twoWindowsOverOneOwner();
    void openingAWindowAgainOnlyDisablesTheOwnerAgain();
    void anOwnerDeletedFirstLeavesItsWindowsAlone();

private:
    Window* open(bool shown = true);

    std::unique_ptr<QWidget> owner;
    QList<QPointer<Window>> windows;
};

void OpenOverTest::init() {
    owner = std::make_unique<QWidget>();
    owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(owner.get()));
}

void OpenOverTest::cleanup() {
    for (const QPointer<Window>& window : std::as_const(windows))
        delete window.data();
    windows.clear();
    owner.reset();
}

// Shown, then opened over the owner, as the main window opens its windows.
Window* OpenOverTest::open(bool shown) {
    auto* window = new Window;
    windows << window;
    if (shown) {
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("the window was not exposed");
    }
    ui::openOver(*owner, *window);
    return window;
}

void OpenOverTest::theOwnerIsEnabledOnceTheWindowHasGone_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("gone");
    QTest::newRow("closed") << "close" << true;
    QTest::newRow("the window manager's close box") << "close box" << true;
    QTest::newRow("Escape") << "escape" << true;
    QTest::newRow("hidden") << "hide" << true;
    QTest::newRow("deleted") << "delete" << true;
    QTest::newRow("deleted before it was shown") << "delete unshown" << true;
    QTest::newRow("its close event ignored") << "refused close" << false;
}

void OpenOverTest::theOwnerIsEnabledOnceTheWindowHasGone() {
    QFETCH(QString, way);
    QFETCH(bool, gone);
    QVERIFY(owner->isEnabled());
    Window* window = open(way != QLatin1String("delete unshown"));
    QVERIFY(!owner->isEnabled());
    window->refusesClose = way == QLatin1String("refused close");
    if (way == QLatin1String("close") || way == QLatin1String("refused close"))
        window->close();
    else if (way == QLatin1String("close box"))
        window->windowHandle()->close();
    else if (way == QLatin1String("escape"))
        QTest::keyClick(window, Qt::Key_Escape);
    else if (way == QLatin1String("hide"))
        window->hide();
    else
        delete window;
    QCOMPARE(owner->isEnabled(), gone);
    QCOMPARE(windows.first() && windows.first()->isVisible(), !gone);
}

// The owner stays disabled while either is open, and the pair is done with once both closed.
void OpenOverTest::twoWindowsOverOneOwner() {
    Window* first = open();
    Window* second = open();
    first->close();
    QVERIFY(!owner->isEnabled());
    second->close();
    QVERIFY(owner->isEnabled());

    Window* third = open();
    QVERIFY(!owner->isEnabled());
    third->close();
    QVERIFY(owner->isEnabled());
}

void OpenOverTest::openingAWindowAgainOnlyDisablesTheOwnerAgain() {
    Window* window = open();
    owner->setEnabled(true); // as another window may have done
    ui::openOver(*owner, *window);
    QVERIFY(!owner->isEnabled());
    window->close();
    QVERIFY(owner->isEnabled());
}

void OpenOverTest::anOwnerDeletedFirstLeavesItsWindowsAlone() {
    Window* window = open();
    owner.reset();
    window->close();
    delete window;
    QVERIFY(windows.first().isNull());
}

QTEST_MAIN(OpenOverTest)
#include "tst_openover.moc"
