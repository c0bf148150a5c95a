#include "app/frmEntry.h"
#include "core/ConnectionString.h"
#include "core/IdleSelector.h"
#include "platform/Random.h"
#include "store/DataControl.h"
#include "support/Find.h"
#include "support/Seams.h"
#include "ui/BannerPlayer.h"
#include "ui/Counter.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using quiltest::child;

class EntryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadDrawsOnceAndOpensTheResultsView();
    void loadShowsTheInitialCaptions();
    void menuItemsStartEnabledButReset_data();
    void menuItemsStartEnabledButReset();
    void timersHaveTheirIntervals_data();
    void timersHaveTheirIntervals();
    void layoutHasTheGivenGeometry_data();
    void layoutHasTheGivenGeometry();
    void loadWithoutDatabaseEndsTheProgram();
    void idleSelectorDrawsOncePerTick();
    void idleTimeChoosesWhatTheTicksWouldHave_data();
    void idleTimeChoosesWhatTheTicksWouldHave();
    void aTestStartStopsTheIdleDrawsForGood();
    void resetReturnsToIdle();
    void resetLeavesTheRestAlone();
    void noticeLineIsClearedOnce();

private:
    frmEntry* loadWindow();
    std::unique_ptr<quiltest::Seams> seams;
    std::unique_ptr<frmEntry> window;
};

void EntryWindowTest::init() {
    seams = std::make_unique<quiltest::Seams>();
}

void EntryWindowTest::cleanup() {
    window.reset();
    seams.reset();
}

frmEntry* EntryWindowTest::loadWindow() {
    seams->createDatabase();
    window = std::make_unique<frmEntry>();
    window->Form_Load();
    // Ticks of the idle selector would draw behind the test's back.
    window->Timer1->stop();
    return window.get();
}

void EntryWindowTest::loadDrawsOnceAndOpensTheResultsView() {
    seams->random->values = {0.999, 0.5};
    frmEntry* w = loadWindow();
    QCOMPARE(seams->random->draws, 1);
    QCOMPARE(w->a->text(), QStringLiteral("4")); // floor(0.999 * 5)
    QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(w->adosearch->ConnectionString(), store::connectionStringA(seams->folder()).text);
    QCOMPARE(w->adosearch->RecordSource(), QStringLiteral("Select * from tblRem"));
    QCOMPARE(QFileInfo(w->adosearch->databaseFile()).canonicalFilePath(),
             QFileInfo(seams->databasePath()).canonicalFilePath());
    QVERIFY(w->adosearch->Recordset() != nullptr);
    QCOMPARE(w->sss->movie(), seams->folder() + QStringLiteral("/quil.swf"));
    QVERIFY(seams->boxes.isEmpty());
    QVERIFY(seams->endCodes.isEmpty());
}

void EntryWindowTest::loadShowsTheInitialCaptions() {
    seams->clock.date = QStringLiteral("3/4/2026");
    frmEntry* w = loadWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Quil's DATA ENTRY TIMED!!!"));
    QCOMPARE(w->Label22->text(), QStringLiteral("3/4/2026"));
    QCOMPARE(w->Label24->text(), QStringLiteral("WELCOME!"));
    QCOMPARE(w->lblss->text(), QStringLiteral("00:00:00"));
    QCOMPARE(w->Label26->text(), QStringLiteral("AGENT:"));
    QCOMPARE(w->Label21->text(), QString());
    QCOMPARE(w->quilr->text(), QString());
    QCOMPARE(w->Label23->text(), QStringLiteral("Label22"));
    QCOMPARE(w->s->text(), QStringLiteral("25"));
    QCOMPARE(w->ks->text(), QString());
    QCOMPARE(w->Command1->text(), QStringLiteral("Done"));
    for (const char* counter : {"aa", "error", "correct", "h", "m", "se"})
        QCOMPARE(child<Counter>(w, counter)->text(), QStringLiteral("0"));
    QVERIFY(!w->picTx->isEnabled());
    for (QWidget* testPanel : {w->picNumb, w->picNum, w->pical2, w->pical})
        QVERIFY(testPanel->isHidden());
}

void EntryWindowTest::menuItemsStartEnabledButReset_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("menu") << "menu"
                          << "Menu" << true;
    QTest::newRow("new") << "new"
                         << "New Agent" << true;
    QTest::newRow("sa") << "sa"
                        << "Swich Agent" << true;
    QTest::newRow("sssss") << "sssss"
                           << "System Usage Menu" << true;
    QTest::newRow("exit") << "exit"
                          << "Exit" << true;
    QTest::newRow("Test") << "Test"
                          << "Test" << true;
    QTest::newRow("alpha") << "alpha"
                           << "Alpha" << true;
    QTest::newRow("number") << "number"
                            << "Numeric" << true;
    QTest::newRow("an") << "an"
                        << "Alpha-Numeric" << true;
    QTest::newRow("Reste") << "Reste"
                           << "Reset" << false;
    QTest::newRow("amd") << "amd"
                         << "Admin" << true;
    QTest::newRow("result") << "result"
                            << "Result" << true;
    QTest::newRow("About") << "About"
                           << "About" << true;
    QTest::newRow("help") << "help"
                          << "Help" << true;
}

void EntryWindowTest::menuItemsStartEnabledButReset() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    frmEntry* w = loadWindow();
    auto* item = w->findChild<QAction*>(name);
    QVERIFY2(item, qPrintable(name));
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->isEnabled(), enabled);
}

void EntryWindowTest::timersHaveTheirIntervals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("running");
    QTest::newRow("idle selector") << "Timer1" << 10 << true;
    QTest::newRow("numeric countdown") << "Timer2" << 1000 << false;
    QTest::newRow("notice clearing") << "Timer3" << 2000 << false;
    QTest::newRow("clock") << "Timer4" << 1000 << true;
    QTest::newRow("word countdown") << "Timer5" << 1000 << false;
}

void EntryWindowTest::timersHaveTheirIntervals() {
    QFETCH(QString, name);
    QFETCH(int, interval);
    QFETCH(bool, running);
    seams->createDatabase();
    window = std::make_unique<frmEntry>();
    window->Form_Load();
    // The idle selector keeps the time instead of ticking.
    if (const auto* selector = window->findChild<IdleSelector*>(name)) {
        QCOMPARE(selector->interval(), interval);
        QCOMPARE(selector->isActive(), running);
        return;
    }
    auto* timer = window->findChild<QTimer*>(name);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), interval);
    QCOMPARE(timer->isActive(), running);
    if (interval >= 1000)
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
}

void EntryWindowTest::layoutHasTheGivenGeometry_data() {
    // Twips at 15 to the pixel.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("client area") << "client" << QRect(0, 0, 615, 489);
    QTest::newRow("header") << "Picture1" << QRect(0, 0, 617, 89);
    QTest::newRow("clock") << "Label24" << QRect(456, 0, 153, 25);
    QTest::newRow("usage") << "lblss" << QRect(8, 72, 225, 17);
    QTest::newRow("idle picture") << "Picture5" << QRect(0, 88, 617, 377);
    QTest::newRow("numeric references") << "picNumb" << QRect(0, 88, 617, 129);
    QTest::newRow("numeric entry") << "picNum" << QRect(0, 208, 617, 257);
    QTest::newRow("field frame") << "picTx" << QRect(16, 16, 593, 185);
    QTest::newRow("Done") << "Command1" << QRect(512, 216, 89, 25);
    QTest::newRow("notice line") << "Label25" << QRect(248, 216, 249, 25);
    QTest::newRow("word references") << "pical2" << QRect(0, 88, 617, 129);
    QTest::newRow("word entry") << "pical" << QRect(0, 216, 617, 249);
    QTest::newRow("banner strip") << "Picture2" << QRect(0, 464, 193, 25);
    QTest::newRow("agent strip") << "Picture3" << QRect(192, 464, 281, 25);
    QTest::newRow("agent name") << "Label21" << QRect(56, 0, 257, 33);
    QTest::newRow("countdown strip") << "Picture4" << QRect(472, 464, 145, 25);
    QTest::newRow("countdown") << "quilr" << QRect(0, 0, 145, 41);
}

void EntryWindowTest::layoutHasTheGivenGeometry() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    frmEntry* w = loadWindow();
    auto* widget = w->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->geometry(), geometry);
}

void EntryWindowTest::loadWithoutDatabaseEndsTheProgram() {
    const QStringList before = QDir(seams->folder()).entryList(QDir::Files);
    window = std::make_unique<frmEntry>();
    window->Form_Load();
    QCOMPARE(seams->endCodes, QList<int>{1});
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes[0].icon, ui::Icon::Critical);
    QVERIFY2(seams->boxes[0].text.contains(seams->databasePath()),
             qPrintable(seams->boxes[0].text));
    QCOMPARE(QDir(seams->folder()).entryList(QDir::Files), before);
}

void EntryWindowTest::idleSelectorDrawsOncePerTick() {
    seams->random->values = {0.0, 0.99, 0.5, 0.2};
    frmEntry* w = loadWindow();
    w->Timer1_Timer();
    QCOMPARE(w->a->text(), QStringLiteral("6")); // floor(0.99 * 7)
    w->Timer1_Timer();
    QCOMPARE(w->a->text(), QStringLiteral("3"));
    w->Timer1_Timer();
    QCOMPARE(w->a->text(), QStringLiteral("1"));
    QCOMPARE(seams->random->draws, 4);
}

// The first test's content after a given idle time, with the program's own random source: a
// window that counted its idle time, and one whose selector ticked once per 10 ms of it, as a
// ticking timer would have.
void EntryWindowTest::idleTimeChoosesWhatTheTicksWouldHave_data() {
    QTest::addColumn<qint64>("idleMs");
    QTest::newRow("no idle time") << qint64(0);
    QTest::newRow("under one period") << qint64(9);
    QTest::newRow("one period") << qint64(10);
    QTest::newRow("between periods") << qint64(25);
    QTest::newRow("a second") << qint64(1000);
    QTest::newRow("an hour") << qint64(3600 * 1000);
}

void EntryWindowTest::idleTimeChoosesWhatTheTicksWouldHave() {
    QFETCH(qint64, idleMs);
    platform::RandomSources::replaceWith(nullptr);
    seams->createDatabase();
    const auto firstTest = [&](bool counted) {
        seams->clock.elapsed = 0;
        window = std::make_unique<frmEntry>();
        window->Form_Load();
        if (counted)
            seams->clock.elapsed = idleMs;
        else
            for (qint64 tick = 0; tick < idleMs / 10; ++tick)
                window->Timer1_Timer();
        window->number_Click();
        QStringList shown{window->a->text()};
        for (const QLabel* reference : std::as_const(window->numericReferences))
            shown.append(reference->text());
        return shown;
    };
    const QStringList ticked = firstTest(false);
    QCOMPARE(firstTest(true), ticked);
}

// Idle time after a test start draws nothing: the next test's start draws once, its own draw.
void EntryWindowTest::aTestStartStopsTheIdleDrawsForGood() {
    seams->createDatabase();
    window = std::make_unique<frmEntry>();
    window->Form_Load();
    seams->clock.elapsed = 30;
    window->number_Click();
    QCOMPARE(seams->random->draws, 1 + 3 + 1); // the load's, three idle ticks, the test's
    QVERIFY(!window->Timer1->isActive());
    seams->clock.elapsed += 60 * 1000;
    window->Reste_Click();
    window->alpha_Click();
    QCOMPARE(seams->random->draws, 6);
}

void EntryWindowTest::resetReturnsToIdle() {
    frmEntry* w = loadWindow();
    // A running test, as a test start leaves the window.
    w->Test->setEnabled(false);
    w->number->setEnabled(false);
    w->alpha->setEnabled(false);
    w->Reste->setEnabled(true);
    w->quilr->setText(QStringLiteral("Timer: 7 sec"));
    w->s->setText(QStringLiteral("7"));
    w->Timer2->start();
    w->Timer5->start();
    for (QWidget* testPanel : {w->picNumb, w->picNum, w->pical2, w->pical})
        testPanel->show();

    w->Reste->trigger();

    QVERIFY(w->Test->isEnabled());
    QVERIFY(w->number->isEnabled());
    QVERIFY(w->alpha->isEnabled());
    QVERIFY(!w->Reste->isEnabled());
    QCOMPARE(w->quilr->text(), QString());
    QCOMPARE(w->s->text(), QStringLiteral("25"));
    QVERIFY(!w->Timer2->isActive());
    QVERIFY(!w->Timer5->isActive());
    for (QWidget* testPanel : {w->picNumb, w->picNum, w->pical2, w->pical})
        QVERIFY(testPanel->isHidden());
    QVERIFY(seams->boxes.isEmpty());
}

void EntryWindowTest::resetLeavesTheRestAlone() {
    frmEntry* w = loadWindow();
    w->error->setText(QStringLiteral("3"));
    w->correct->setText(QStringLiteral("95.5"));
    w->ks->setText(QStringLiteral("77"));
    w->aa->setText(QStringLiteral("12"));
    w->Command1->setEnabled(false);
    w->Timer3->start();
    w->Reste->setEnabled(true);

    w->Reste_Click();

    QCOMPARE(w->error->text(), QStringLiteral("3"));
    QCOMPARE(w->correct->text(), QStringLiteral("95.5"));
    QCOMPARE(w->ks->text(), QStringLiteral("77"));
    QCOMPARE(w->aa->text(), QStringLiteral("12"));
    QVERIFY(!w->Command1->isEnabled());
    QVERIFY(w->Timer3->isActive());
    QVERIFY(!w->Timer1->isActive()); // stopped by loadWindow, not restarted
}

void EntryWindowTest::noticeLineIsClearedOnce() {
    frmEntry* w = loadWindow();
    w->Label25->setText(QStringLiteral("something"));
    w->Timer3->start();
    w->Timer3_Timer();
    QCOMPARE(w->Label25->text(), QString());
    QVERIFY(!w->Timer3->isActive());
}

QTEST_MAIN(EntryWindowTest)
#include "tst_entry.moc"
