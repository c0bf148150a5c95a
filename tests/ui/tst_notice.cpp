#include "ui/Windows.h"
#include "ui/clsOnTop.h"
#include "ui/frmTu.h"

#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

class NoticeTest : public QObject {
    Q_OBJECT
private slots:
    void noticeClosesItselfAfterOneSecond();
    void secondShowDoesNotRestartTheNotice();
    void closedNoticeIsGoneBeforeItIsDeleted();
    void topMostKeepsPlaceAndSize();
    void topMostTwiceChangesNothing();
    void makeNormalLeavesTheBand();
};

void NoticeTest::noticeClosesItselfAfterOneSecond() {
    QPointer<frmTu> notice = Windows::show<frmTu>();
    QVERIFY(notice);
    QCOMPARE(notice->Label1->text(), QStringLiteral("Complete the Entry"));
    QCOMPARE(notice->windowTitle(), QString());
    QVERIFY(notice->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(notice->Timer1->interval(), 1000);
    QVERIFY(notice->Timer1->isActive());
    notice->Timer1_Timer();
    QTRY_VERIFY(notice.isNull()); // released on close
    QVERIFY(!Windows::find<frmTu>());
}

void NoticeTest::secondShowDoesNotRestartTheNotice() {
    QPointer<frmTu> first = Windows::show<frmTu>();
    QTest::qWait(600);
    QPointer<frmTu> second = Windows::show<frmTu>();
    QCOMPARE(second.data(), first.data());
    // Closes at the tick that was due one second after the first show, not after the second.
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 900);
}

void NoticeTest::closedNoticeIsGoneBeforeItIsDeleted() {
    QPointer<frmTu> first = Windows::show<frmTu>();
    first->Timer1_Timer();
    QVERIFY(first); // deleted later, by the event loop
    QVERIFY(!Windows::find<frmTu>());
    // Done pressed again at once: a fresh notice with a full second, not the closing one.
    QPointer<frmTu> second = Windows::show<frmTu>();
    QVERIFY(second && second != first);
    QVERIFY(second->isVisible() && second->Timer1->isActive());
    QTRY_VERIFY(first.isNull());
    QVERIFY(second);
    delete second;
}

void NoticeTest::topMostKeepsPlaceAndSize() {
    QWidget window;
    window.setGeometry(120, 90, 300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect before = window.geometry();
    onTop().MakeTopMost(&window);
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());
    QCOMPARE(window.geometry(), before);
}

void NoticeTest::topMostTwiceChangesNothing() {
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    onTop().MakeTopMost(&window);
    QWindow* native = window.windowHandle();
    QSignalSpy hidden(native, &QWindow::visibleChanged);
    onTop().MakeTopMost(&window);
    QCOMPARE(window.windowHandle(), native);
    QCOMPARE(hidden.count(), 0);
}

void NoticeTest::makeNormalLeavesTheBand() {
    QWidget window;
    onTop().MakeTopMost(&window);
    onTop().MakeNormal(&window);
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

QTEST_MAIN(NoticeTest)
#include "tst_notice.moc"
