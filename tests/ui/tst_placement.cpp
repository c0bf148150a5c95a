// Where the program puts a window: its frame within the screen's available area, the title bar
// kept reachable where the window is larger than the area.
#include "ui/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void placedWithin_data();
    void placedWithin();
    void framesAreToldOrEstimated();
    void placedWindowsShowWithinTheScreen_data();
    void placedWindowsShowWithinTheScreen();
};

void PlacementTest::placedWithin_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("placed");
    const QMargins frame(4, 30, 4, 4);
    const QRect screen(0, 0, 800, 600);
    QTest::newRow("fits: kept") << QRect(100, 100, 200, 100) << frame << screen << QPoint(100, 100);
    QTest::newRow("frame touching the edges: kept")
        << QRect(4, 30, 792, 566) << frame << screen << QPoint(4, 30);
    QTest::newRow("too far right")
        << QRect(700, 100, 200, 100) << frame << screen << QPoint(596, 100);
    QTest::newRow("too far down") << QRect(100, 550, 200, 100) << frame << screen
                                  << QPoint(100, 496);
    QTest::newRow("negative") << QRect(-50, -20, 200, 100) << frame << screen << QPoint(4, 30);
    QTest::newRow("client inside, title bar above the top")
        << QRect(100, 10, 200, 100) << frame << screen << QPoint(100, 30);
    QTest::newRow("larger than the screen: top-left kept")
        << QRect(300, 300, 1000, 700) << frame << screen << QPoint(4, 30);
    QTest::newRow("taller only: moved in sideways, top kept")
        << QRect(700, 50, 200, 700) << frame << screen << QPoint(596, 30);
    QTest::newRow("below a panel at the top")
        << QRect(100, 0, 200, 100) << frame << QRect(0, 40, 800, 560) << QPoint(100, 70);
    QTest::newRow("a second screen on the right")
        << QRect(1700, 100, 200, 100) << frame << QRect(800, 0, 1024, 768) << QPoint(1620, 100);
    QTest::newRow("no frame") << QRect(700, -5, 200, 100) << QMargins() << screen << QPoint(600, 0);
}

void PlacementTest::placedWithin() {
    QFETCH(QRect, wanted);
    QFETCH(QMargins, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, placed);
    QCOMPARE(ui::placedWithin(wanted, frame, available), QRect(placed, wanted.size()));
}

// Before the window system frames a window, a title bar is assumed; a frameless window has
// none; a shown window has the frame it shows with.
void PlacementTest::framesAreToldOrEstimated() {
    QWidget unshown;
    const QMargins assumed = ui::frameMargins(unshown);
    QVERIFY(assumed.top() > assumed.bottom());
    QWidget frameless(nullptr, Qt::FramelessWindowHint);
    QCOMPARE(ui::frameMargins(frameless), QMargins());
    QWidget shown;
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    const QRect frame = shown.frameGeometry();
    const QRect client = shown.geometry();
    QCOMPARE(ui::frameMargins(shown),
             QMargins(client.left() - frame.left(), client.top() - frame.top(),
                      frame.right() - client.right(), frame.bottom() - client.bottom()));
}

void PlacementTest::placedWindowsShowWithinTheScreen_data() {
    QTest::addColumn<bool>("centred");
    QTest::addColumn<QPoint>("point"); // frame's top-left, or its centre, from the screen's
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("expected"); // "as wanted", or the corner it is moved into
    QTest::newRow("at a point, fitting")
        << false << QPoint(40, 30) << QSize(300, 200) << "as wanted";
    QTest::newRow("at a point past the bottom-right")
        << false << QPoint(100000, 100000) << QSize(300, 200) << "bottom-right";
    QTest::newRow("at a point above the top-left")
        << false << QPoint(-400, -400) << QSize(300, 200) << "top-left";
    QTest::newRow("centred, fitting") << true << QPoint(300, 300) << QSize(300, 200) << "as wanted";
    QTest::newRow("centred on the top-left corner")
        << true << QPoint(0, 0) << QSize(300, 200) << "top-left";
    QTest::newRow("larger than the screen")
        << true << QPoint(100, 100) << QSize(3000, 3000) << "top-left";
}

// Placed before its first show, as the program places its windows.
void PlacementTest::placedWindowsShowWithinTheScreen() {
    QFETCH(bool, centred);
    QFETCH(QPoint, point);
    QFETCH(QSize, size);
    QFETCH(QString, expected);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setFixedSize(size);
    const QPoint at = available.topLeft() + point;
    if (centred)
        ui::centreFrameOn(window, at);
    else
        ui::placeFrameAt(window, at);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect frame = window.frameGeometry();
    if (expected == QLatin1String("as wanted")) {
        QCOMPARE(centred ? frame.center() : frame.topLeft(), at);
    } else if (expected == QLatin1String("bottom-right")) {
        QCOMPARE(frame.bottomRight(), available.bottomRight());
    } else {
        QCOMPARE(frame.topLeft(), available.topLeft());
    }
}

QTEST_MAIN(PlacementTest)
#include "tst_placement.moc"
