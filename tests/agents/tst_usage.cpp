#include "app/frmEntry.h"
#include "core/ConnectionString.h"
#include "core/IdleSelector.h"
#include "store/DataControl.h"
#include "support/Rescue.h"
#include "support/Rows.h"
#include "support/Seams.h"
#include "ui/FileChooser.h"
#include "ui/MessageBox.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>

class UsageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clockTickShowsTheTimeAndTheUsage();
    void exitStoresOneUsageRowAndEnds_data();
    void exitStoresOneUsageRowAndEnds();
    void exitThatCannotStoreReportsTheRow_data();
    void exitThatCannotStoreReportsTheRow();
    void exitThatCannotStoreRetriesOrSaves_data();
    void exitThatCannotStoreRetriesOrSaves();
    void withNobodyToAskTheFailureIsReportedAtOnce();

private:
    frmEntry* loadMainWindow();
    std::unique_ptr<quiltest::Seams> seams;
    std::unique_ptr<frmEntry> window;
};

void UsageTest::init() {
    seams = std::make_unique<quiltest::Seams>();
}

void UsageTest::cleanup() {
    window.reset();
    seams.reset();
}

frmEntry* UsageTest::loadMainWindow() {
    seams->createDatabase();
    window = std::make_unique<frmEntry>();
    window->Form_Load();
    // The test makes the ticks itself.
    window->Timer4->stop();
    window->Timer1->stop();
    return window.get();
}

void UsageTest::clockTickShowsTheTimeAndTheUsage() {
    frmEntry* main = loadMainWindow();
    QCOMPARE(main->Label24->text(), QStringLiteral("WELCOME!"));
    QCOMPARE(main->lblss->text(), QStringLiteral("00:00:00"));

    seams->clock.time = QStringLiteral("9:00:01 AM");
    main->Timer4_Timer();
    QCOMPARE(main->Label24->text(), QStringLiteral("9:00:01 AM"));
    QCOMPARE(main->lblss->text(), QStringLiteral("SD: 0 hr 0 min 1 sec"));
    seams->clock.time = QStringLiteral("9:00:02 AM");
    main->Timer4_Timer();
    QCOMPARE(main->Label24->text(), QStringLiteral("9:00:02 AM"));
    QCOMPARE(main->lblss->text(), QStringLiteral("SD: 0 hr 0 min 2 sec"));
}

void UsageTest::exitStoresOneUsageRowAndEnds_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("agent");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("before the first tick, nobody signed in")
        << 0 << "" << QStringList{"3/4/2026", "WELCOME!", "00:00:00", ""};
    QTest::newRow("signed in") << 2 << "Ann M. O'Hara"
                               << QStringList{"3/4/2026", "11:59:58 PM", "SD: 0 hr 0 min 2 sec",
                                              "Ann M. O'Hara"};
    QTest::newRow("in the sixtieth minute")
        << 3600 << "Bo K. Lind"
        << QStringList{"3/4/2026", "11:59:58 PM", "SD: 0 hr 60 min 0 sec", "Bo K. Lind"};
}

void UsageTest::exitStoresOneUsageRowAndEnds() {
    QFETCH(int, ticks);
    QFETCH(QString, agent);
    QFETCH(QStringList, row);
    seams->clock.date = QStringLiteral("3/4/2026");
    seams->clock.time = QStringLiteral("11:59:58 PM");
    frmEntry* main = loadMainWindow();
    // Past midnight: the row keeps the day on which the window loaded.
    seams->clock.date = QStringLiteral("3/5/2026");
    main->Label21->setText(agent);
    for (int tick = 0; tick < ticks; ++tick)
        main->Timer4_Timer();

    main->exit_Click();

    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblSystem")),
             QList<QStringList>{row});
    QCOMPARE(seams->endCodes, QList<int>{0});
    QVERIFY(seams->boxes.isEmpty());
    QCOMPARE(main->adoquil->ConnectionString(), store::connectionStringA(seams->folder()).text);
    QCOMPARE(main->adoquil->RecordSource(), QStringLiteral("select * from tblSystem"));
}

void UsageTest::exitThatCannotStoreReportsTheRow_data() {
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<QString>("engineSays");
    QTest::newRow("table missing") << "DROP TABLE tblSystem"
                                   << "no such table";
    QTest::newRow("row refused") << "CREATE TRIGGER refuse BEFORE INSERT ON tblSystem BEGIN "
                                    "SELECT RAISE(ABORT, 'disk quota exceeded'); END"
                                 << "disk quota exceeded";
}

void UsageTest::exitThatCannotStoreReportsTheRow() {
    QFETCH(QString, sabotage);
    QFETCH(QString, engineSays);
    frmEntry* main = loadMainWindow();
    quiltest::execute(seams->databasePath(), sabotage);
    main->Label21->setText(QStringLiteral("Ann M. Reyes"));
    main->Timer4_Timer();

    main->exit_Click();

    QCOMPARE(seams->endCodes, QList<int>{1});
    // Retry is offered first; nobody takes it here.
    QCOMPARE(seams->boxes.size(), 2);
    QVERIFY(seams->boxes[0].question);
    const quiltest::Box& box = seams->boxes[1];
    QCOMPARE(box.icon, ui::Icon::Critical);
    QVERIFY2(box.text.contains(seams->databasePath()), qPrintable(box.text));
    QVERIFY2(box.text.contains(engineSays), qPrintable(box.text));
    for (const QString& field :
         {QStringLiteral("Date: 12/10/2026"), QStringLiteral("Time: 1:52:44 PM"),
          QStringLiteral("Elapsed: SD: 0 hr 0 min 1 sec"),
          QStringLiteral("LastAgent: Ann M. Reyes")})
        QVERIFY2(box.text.contains(field), qPrintable(box.text));
}

// The missing table fails the Refresh before the row, which closes the connection; the
// trigger fails the row itself.
void UsageTest::exitThatCannotStoreRetriesOrSaves_data() {
    quiltest::addRescueRows(QStringLiteral("tblSystem"));
}

void UsageTest::exitThatCannotStoreRetriesOrSaves() {
    QFETCH(QString, sabotage);
    QFETCH(QString, cure);
    QFETCH(QString, engineSays);
    QFETCH(quiltest::RescueScenario, scenario);
    frmEntry* main = loadMainWindow();
    quiltest::execute(seams->databasePath(), sabotage);
    bool cured = false;
    const auto cureOnce = [&] {
        if (!std::exchange(cured, true))
            quiltest::execute(seams->databasePath(), cure);
    };
    quiltest::script(*seams, scenario, cureOnce);
    main->Label21->setText(QStringLiteral("Zoë Ñúñez"));
    main->Timer4_Timer();

    main->exit_Click();

    const QStringList fields{"Date: 12/10/2026", "Time: 1:52:44 PM",
                             "Elapsed: SD: 0 hr 0 min 1 sec", "LastAgent: Zoë Ñúñez"};
    quiltest::verifyRescue(*seams, scenario, 0, {"unsaved-usage", fields, engineSays});
    if (QTest::currentTestFailed())
        return;
    cureOnce();
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblSystem"));
    if (!scenario.stored()) {
        QVERIFY(stored.isEmpty());
        return;
    }
    QCOMPARE(stored, (QList<QStringList>{
                         {"12/10/2026", "1:52:44 PM", "SD: 0 hr 0 min 1 sec", "Zoë Ñúñez"}}));
    QCOMPARE(seams->endCodes, QList<int>{0});
}

// Where nobody can answer (the program was told so at start), the question and the save dialog
// are answered at once, Cancel and no file, and every dialog is written out: the failure is
// reported and the program ends without waiting.
void UsageTest::withNobodyToAskTheFailureIsReportedAtOnce() {
    frmEntry* main = loadMainWindow();
    quiltest::execute(seams->databasePath(), QStringLiteral("DROP TABLE tblSystem"));
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    QVERIFY(out);
    ui::AnsweredDialogs nobody(out.get());
    ui::Dialogs::replaceWith(&nobody);

    main->exit_Click();

    QCOMPARE(seams->endCodes, QList<int>{1});
    std::rewind(out.get());
    QByteArray written(1 << 16, '\0');
    written.resize(qsizetype(std::fread(written.data(), 1, size_t(written.size()), out.get())));
    const QString text = QString::fromLocal8Bit(written);
    const QStringList answered = {
        QStringLiteral("exclamation question \"Quil's Data Entry\", answered Cancel"),
        QStringLiteral("save dialog"),
        QStringLiteral("critical box \"Quil's Data Entry\", answered OK")};
    qsizetype from = 0;
    for (const QString& step : answered) {
        from = text.indexOf(step, from);
        QVERIFY2(from >= 0, qPrintable(step + QStringLiteral(" missing in:\n") + text));
    }
    QVERIFY2(!text.contains(QLatin1String("Saved to")), qPrintable(text));
}

QTEST_MAIN(UsageTest)
#include "tst_usage.moc"
