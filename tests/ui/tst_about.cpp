#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "support/Seams.h"
#include "ui/Windows.h"
#include "ui/frmAbout.h"

#include <QAction>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <memory>

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void helpShowsTheFourteenLines();
    void aboutDisablesTheMainWindowUntilItCloses_data();
    void aboutDisablesTheMainWindowUntilItCloses();
    void secondShowDoesNotRestartTheAboutTimer();

private:
    std::unique_ptr<quiltest::Seams> seams;
    QPointer<frmEntry> main;
};

void AboutTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    seams->createDatabase();
    main = Windows::show<frmEntry>();
    main->Timer1->stop();
}

void AboutTest::cleanup() {
    delete Windows::find<frmAbout>();
    delete main.data();
    seams.reset();
}

void AboutTest::helpShowsTheFourteenLines() {
    main->help->trigger();
    QCOMPARE(seams->boxes.size(), 1);
    const quiltest::Box& box = seams->boxes.first();
    QCOMPARE(box.icon, ui::Icon::Information);
    QCOMPARE(box.title, QStringLiteral("Quil's Data Entry"));
    QCOMPARE(box.text,
             QStringLiteral(
                 "Quil's DATA ENTRY TIMED!\r\n"
                 "\r\n"
                 "This software features Alpha, Numeric and Alpha-Numeric Test.\r\n"
                 "\r\n"
                 "ALPHA TEST\r\n"
                 "This will test you speed typing using letters only. Up to 120 Keystroke for 35 "
                 "seconds! If you able to finish the text 100% with zero errors, you have the "
                 "chance to pass any data entry test.\r\n"
                 "\r\n"
                 "NUMERIC TEST\r\n"
                 "This test enables the agent to type numbers only consisted of 20 Fields with 80 "
                 "keystrokes. You have 25 seconds to finish this test.\r\n"
                 "\r\n"
                 "ALPHA-NUMERIC TEST\r\n"
                 "This is the combination of alpha and numeric test to see how long can you go "
                 "with their combination.\r\n"
                 "\r\n"
                 "Note: Use Tab in focusing. View Results for your records. Only admin is allowed "
                 "to delete the records save in database (located in Admin Menu)."));
    QVERIFY(main->isEnabled());
}

void AboutTest::aboutDisablesTheMainWindowUntilItCloses_data() {
    QTest::addColumn<bool>("byTimer");
    QTest::newRow("its timer, three seconds after it loaded") << true;
    QTest::newRow("the frame's close box") << false;
}

void AboutTest::aboutDisablesTheMainWindowUntilItCloses() {
    QFETCH(bool, byTimer);
    main->About->trigger();
    QPointer<frmAbout> about = Windows::find<frmAbout>();
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About"));
    QVERIFY(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!main->isEnabled());
    QCOMPARE(about->Timer1->interval(), 3000);
    QVERIFY(about->Timer1->isActive());

    if (byTimer)
        about->Timer1_Timer();
    else
        about->close();
    QTRY_VERIFY(about.isNull()); // released: the next opening starts afresh
    QVERIFY(main->isEnabled());
    QVERIFY(main->isVisible());
}

void AboutTest::secondShowDoesNotRestartTheAboutTimer() {
    main->About_Click();
    frmAbout* first = Windows::find<frmAbout>();
    QTest::qWait(600);
    QCOMPARE(Windows::show<frmAbout>(), first);
    // A reload would have started the three seconds over (give or take the 5% slack of a
    // coarse timer).
    QVERIFY2(first->Timer1->remainingTime() < 2800,
             qPrintable(QString::number(first->Timer1->remainingTime())));
}

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
