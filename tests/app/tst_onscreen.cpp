// The windows the program places keep their frames on the screen. CTest runs this on a small
// screen of 640 x 480 pixels and on one of 1280 x 1024 pixels at twice the scale, where the
// main window is about as tall as the screen.
#include "agents/frmLog.h"
#include "app/frmEntry.h"
#include "records/frmAdm.h"
#include "support/MainWindow.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

namespace {

QRect available() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The frame lies within the available area, or, where it is wider or taller, starts at the
// area's left or top edge.
void verifyOnScreen(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect area = available();
    const QString where = QStringLiteral("frame %1,%2 %3x%4 on %5x%6")
                              .arg(frame.x())
                              .arg(frame.y())
                              .arg(frame.width())
                              .arg(frame.height())
                              .arg(area.width())
                              .arg(area.height());
    if (frame.width() <= area.width())
        QVERIFY2(frame.left() >= area.left() && frame.right() <= area.right(), qPrintable(where));
    else
        QVERIFY2(frame.left() == area.left(), qPrintable(where));
    if (frame.height() <= area.height())
        QVERIFY2(frame.top() >= area.top() && frame.bottom() <= area.bottom(), qPrintable(where));
    else
        QVERIFY2(frame.top() == area.top(), qPrintable(where));
}

} // namespace

class OnScreenTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void mainWindowCentredWithinTheScreen();
    void signInCentredOnTheMainWindowWithinTheScreen_data();
    void signInCentredOnTheMainWindowWithinTheScreen();
    void adminRecordsStageKeptOrMovedIn();

private:
    std::unique_ptr<quiltest::MainWindow> main;
};

void OnScreenTest::init() {
    main = std::make_unique<quiltest::MainWindow>();
}

void OnScreenTest::cleanup() {
    delete Windows::find<frmLog>();
    delete Windows::find<frmAdm>();
    main.reset();
}

void OnScreenTest::mainWindowCentredWithinTheScreen() {
    verifyOnScreen(*main->window);
    const QRect frame = main->window->frameGeometry();
    QCOMPARE(frame.center().x(), available().center().x());
    if (frame.height() <= available().height())
        QCOMPARE(frame.center().y(), available().center().y());
}

void OnScreenTest::signInCentredOnTheMainWindowWithinTheScreen_data() {
    QTest::addColumn<QPoint>("mainAt"); // the main window's frame, from the screen's top-left
    QTest::newRow("main window as placed") << QPoint(-1, -1);
    QTest::newRow("main window dragged past the bottom-right") << QPoint(600, 460);
    QTest::newRow("main window dragged above the top-left") << QPoint(-600, -500);
}

void OnScreenTest::signInCentredOnTheMainWindowWithinTheScreen() {
    QFETCH(QPoint, mainAt);
    if (mainAt != QPoint(-1, -1))
        main->window->move(available().topLeft() + mainAt);
    main->window->sa->trigger();
    frmLog* signIn = Windows::find<frmLog>();
    QVERIFY(signIn && QTest::qWaitForWindowExposed(signIn));
    verifyOnScreen(*signIn);
    if (available().contains(main->window->frameGeometry().center()))
        QCOMPARE(signIn->frameGeometry().center(), main->window->frameGeometry().center());
}

// The accepted password gives the window its outer size and place in screen coordinates.
void OnScreenTest::adminRecordsStageKeptOrMovedIn() {
    main->window->amd->trigger();
    frmAdm* adm = Windows::find<frmAdm>();
    QVERIFY(adm && QTest::qWaitForWindowExposed(adm));
    adm->Text1->setText(QStringLiteral("admin"));
    if (QGuiApplication::platformName().startsWith(QLatin1String("offscreen")))
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support propagateSizeHints()");
    adm->Command1->click();
    QVERIFY(adm->Picture1->isVisible());

    const QRect given = twipsRect(4000, 2333, 7695, 6645);
    const QRect frame = adm->frameGeometry();
    QCOMPARE(frame.size(), given.size());
    verifyOnScreen(*adm);
    const QRect area = available();
    QCOMPARE(frame.left(),
             given.right() <= area.right() ? given.left() : area.right() - frame.width() + 1);
    QCOMPARE(frame.top(),
             given.bottom() <= area.bottom() ? given.top() : area.bottom() - frame.height() + 1);
}

QTEST_MAIN(OnScreenTest)
#include "tst_onscreen.moc"
