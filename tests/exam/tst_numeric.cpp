#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "exam/EntryField.h"
#include "support/MainWindow.h"
#include "support/Rescue.h"
#include "support/Rows.h"
#include "ui/Counter.h"
#include "ui/Windows.h"
#include "ui/frmTu.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>

namespace {

const QStringList kSet0{"8642", "1085", "6284", "3200", "1400", "9692", "2324",
                        "7714", "8957", "1637", "5080", "1700", "1935", "6895",
                        "1524", "7480", "3375", "9694", "3257", "1230"};

QStringList withEntries(QStringList entries, const QList<std::pair<int, QString>>& changes) {
    for (const auto& [field, text] : changes)
        entries[field - 1] = text;
    return entries;
}

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

} // namespace

class NumericTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startShowsTheDescriptionThenTheChosenSet_data();
    void startShowsTheDescriptionThenTheChosenSet();
    void scoring_data();
    void scoring();
    void rowMatchesTheSummaryAndTheWindowIsIdleAfterwards();
    void countdownScoresAtZero();
    void doneWithAnEmptyRequiredFieldShowsTheNotice();
    void keypadDigitsAndEnterWorkLikeTheMainKeys();
    void fieldsAdvanceAtTheirLimit();
    void backspaceIsRefusedButDeleteWorks();
    void colourIsSetOnLeavingAndCarriedIntoTheNextTest();
    void tabRunsDownwards();
    void anotherWindowInFrontIsNoLostFocus();
    void scoredAndStoredOnceWhateverIsPressedMeanwhile();
    void resetAbandonsTheTest();
    void failedStoreReportsTheUnsavedResult();
    void failedStoreIsRetriedOrSaved_data();
    void failedStoreIsRetriedOrSaved();

private:
    void startNumeric(int set);
    void typeEntries(const QStringList& entries);
    EntryField* field(int k) { return window->numericFields[k - 1]; }

    std::unique_ptr<quiltest::MainWindow> main;
    quiltest::Seams* seams = nullptr;
    frmEntry* window = nullptr;
};

void NumericTest::init() {
    main = std::make_unique<quiltest::MainWindow>();
    seams = &main->seams;
    window = main->window.get();
}

void NumericTest::cleanup() {
    main.reset();
}

void NumericTest::startNumeric(int set) {
    seams->random->values = {(set + 0.5) / 7};
    window->number->trigger();
}

void NumericTest::typeEntries(const QStringList& entries) {
    quiltest::MainWindow::type(window->numericFields, entries);
}

void NumericTest::startShowsTheDescriptionThenTheChosenSet_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("sixth");
    QTest::newRow("set 0") << 0 << "8642"
                           << "9692";
    QTest::newRow("set 1") << 1 << "1519"
                           << "2474";
    QTest::newRow("set 2") << 2 << "4243"
                           << "5625";
    QTest::newRow("set 3") << 3 << "2132"
                           << "0910";
    QTest::newRow("set 4") << 4 << "3537"
                           << "1982";
    QTest::newRow("set 5") << 5 << "9050"
                           << "7185";
    QTest::newRow("set 6") << 6 << "1332"
                           << "9396";
}

void NumericTest::startShowsTheDescriptionThenTheChosenSet() {
    QFETCH(int, set);
    QFETCH(QString, first);
    QFETCH(QString, sixth);
    bool testMenuDisabledDuringBox = false;
    seams->onBox = [&](const quiltest::Box&) {
        testMenuDisabledDuringBox = !window->Test->isEnabled() && window->picNum->isHidden();
    };
    startNumeric(set);

    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes[0].icon, ui::Icon::Information);
    QCOMPARE(seams->boxes[0].title, QStringLiteral("Quil's Data Entry"));
    QCOMPARE(seams->boxes[0].text,
             QStringLiteral("Numberic Test:\r\nDescription: 20 Fields X 4 Numbers = 80 "
                            "Keystrokes\r\nDuration: 25 seconds"));
    QVERIFY(testMenuDisabledDuringBox);
    QCOMPARE(window->a->text(), QString::number(set));
    QCOMPARE(window->numericReferences[0]->text(), first);
    QCOMPARE(window->numericReferences[5]->text(), sixth);
    QCOMPARE(window->Label23->text(), QStringLiteral("Numeric"));
    QVERIFY(window->picNum->isVisible() && window->picNumb->isVisible());
    QVERIFY(window->picTx->isEnabled() && window->Command1->isEnabled());
    QVERIFY(window->Timer2->isActive());
    QVERIFY(!window->Test->isEnabled() && !window->number->isEnabled());
    QVERIFY(window->Reste->isEnabled());
    QCOMPARE(QApplication::focusWidget(), field(1));
}

void NumericTest::scoring_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<QString>("accuracy");
    QTest::addColumn<QString>("keystrokes");
    const QStringList allWrong(20, QStringLiteral("0000"));
    QTest::newRow("all right") << 0 << kSet0 << "0"
                               << "100"
                               << "80";
    QTest::newRow("all wrong") << 0 << allWrong << "20"
                               << "72"
                               << "80";
    QTest::newRow("only Text4 wrong") << 0 << withEntries(kSet0, {{4, "3201"}}) << "1"
                                      << "98.8"
                                      << "80";
    QTest::newRow("Text5, 6, 8, 9 wrong")
        << 0 << withEntries(kSet0, {{5, "1401"}, {6, "9693"}, {8, "7715"}, {9, "8958"}}) << "4"
        << "94"
        << "80";
    QTest::newRow("Text19, 20 empty") << 0 << withEntries(kSet0, {{19, ""}, {20, ""}}) << "2"
                                      << "97.1"
                                      << "72";
    const QStringList set3{"2132", "6285", "4281", "2800", "9288", "910",  "8653",
                           "9870", "9121", "5362", "9355", "8005", "4515", "1235",
                           "8581", "6465", "8797", "9519", "8817", "2341"};
    QTest::newRow("910 for 0910") << 3 << set3 << "1"
                                  << "98.5"
                                  << "79";
    QTest::newRow("letters and case") << 0 << withEntries(kSet0, {{1, "abcd"}, {2, "10 5"}}) << "2"
                                      << "97.3"
                                      << "80";
}

void NumericTest::scoring() {
    QFETCH(int, set);
    QFETCH(QStringList, entries);
    QFETCH(QString, errors);
    QFETCH(QString, accuracy);
    QFETCH(QString, keystrokes);
    startNumeric(set);
    typeEntries(entries);
    window->Command1->click();

    QCOMPARE(seams->boxes.size(), 2);
    const QStringList summary = seams->boxes[1].text.split(QStringLiteral("\r\n"));
    QCOMPARE(summary.value(0), QStringLiteral("Finish!"));
    QCOMPARE(summary.value(5), QStringLiteral("Errors: ") + errors);
    QCOMPARE(summary.value(6), QStringLiteral("Accuracy: ") + accuracy);
    QCOMPARE(summary.value(7), QStringLiteral("KeyStroke: ") + keystrokes);
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].mid(4), (QStringList{errors, accuracy, keystrokes}));
}

void NumericTest::rowMatchesTheSummaryAndTheWindowIsIdleAfterwards() {
    window->Label21->setText(QStringLiteral("Ana M. Reyes"));
    seams->clock.date = QStringLiteral("12/10/2026");
    seams->clock.time = QStringLiteral("1:52:44 PM");
    window->Label24->setText(QStringLiteral("1:52:44 PM"));
    startNumeric(0);
    typeEntries(withEntries(kSet0, {{4, "3201"}}));
    // While the box is open, midnight passes and the clock ticks on.
    seams->onBox = [&](const quiltest::Box&) {
        seams->clock.date = QStringLiteral("12/11/2026");
        window->Label24->setText(QStringLiteral("12:00:03 AM"));
    };
    window->Command1->click();

    QCOMPARE(seams->boxes.size(), 2);
    QCOMPARE(seams->boxes[1].icon, ui::Icon::Information);
    QCOMPARE(seams->boxes[1].title, QStringLiteral("Quil's Data Entry"));
    QCOMPARE(seams->boxes[1].text,
             QStringLiteral("Finish!\r\n\r\nDate: 12/10/2026\r\nAgent: Ana M. Reyes\r\n"
                            "Test: Numeric\r\nErrors: 1\r\nAccuracy: 98.8\r\nKeyStroke: 80\r\n"
                            "\r\n\r\nPress Ok to Continue..."));
    // Date from the load, time from the clock when the row was stored; columns in table order.
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    QCOMPARE(stored, (QList<QStringList>{{"12/10/2026", "12:00:03 AM", "Ana M. Reyes", "Numeric",
                                          "1", "98.8", "80"}}));

    QVERIFY(window->Test->isEnabled() && window->number->isEnabled());
    QVERIFY(!window->Reste->isEnabled());
    QVERIFY(window->picNum->isHidden() && window->picNumb->isHidden());
    for (EntryField* entry : std::as_const(window->numericFields))
        QCOMPARE(entry->text(), QString());
    QCOMPARE(window->correct->text(), QStringLiteral("0"));
    QCOMPARE(window->error->text(), QStringLiteral("1"));
    QCOMPARE(window->ks->text(), QStringLiteral("80"));
    QCOMPARE(window->s->text(), QStringLiteral("25"));
    QCOMPARE(window->quilr->text(), QString());
    QVERIFY(!window->Command1->isEnabled());
    QVERIFY(!window->Timer2->isActive() && !window->Timer3->isActive() &&
            !window->Timer1->isActive());
}

void NumericTest::countdownScoresAtZero() {
    startNumeric(0);
    typeEntries(withEntries(kSet0, {{3, ""}, {7, "23"}}));
    window->Timer2_Timer();
    QCOMPARE(window->quilr->text(), QStringLiteral("Timer: 24 sec"));
    for (int tick = 2; tick <= 24; ++tick)
        window->Timer2_Timer();
    QCOMPARE(window->quilr->text(), QStringLiteral("Timer: 1 sec"));
    QCOMPARE(seams->boxes.size(), 1);

    QString displayWhileScoring;
    seams->onBox = [&](const quiltest::Box&) { displayWhileScoring = window->quilr->text(); };
    window->Timer2_Timer();
    QCOMPARE(seams->boxes.size(), 2);
    const QStringList summary = seams->boxes[1].text.split(QStringLiteral("\r\n"));
    QCOMPARE(summary.value(0), QStringLiteral("Time's Up!"));
    QCOMPARE(summary.value(5), QStringLiteral("Errors: 2"));
    QCOMPARE(summary.value(7), QStringLiteral("KeyStroke: 74"));
    QCOMPARE(displayWhileScoring, QString());
    QCOMPARE(window->quilr->text(), QString());
    QVERIFY(!window->Timer2->isActive());
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).size(), 1);
}

void NumericTest::doneWithAnEmptyRequiredFieldShowsTheNotice() {
    startNumeric(0);
    typeEntries(withEntries(kSet0, {{18, ""}}));
    window->Command1->click();
    QVERIFY(Windows::find<frmTu>());
    QVERIFY(window->Timer3->isActive());
    QVERIFY(window->Timer2->isActive());
    QCOMPARE(seams->boxes.size(), 1);

    QTest::keyClicks(field(18), kSet0[17]);
    window->Command1->click();
    QCOMPARE(seams->boxes.size(), 2);
    QVERIFY(seams->boxes[1].text.startsWith(QStringLiteral("Finish!\r\n")));
}

void NumericTest::keypadDigitsAndEnterWorkLikeTheMainKeys() {
    startNumeric(0);
    typeEntries(kSet0.mid(0, 19));
    QCOMPARE(QApplication::focusWidget(), field(20));
    for (const QChar digit : kSet0[19])
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_0 + digit.digitValue()),
                        Qt::KeypadModifier);
    QCOMPARE(field(20)->text(), kSet0[19]);
    QCOMPARE(QApplication::focusWidget(), field(20));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(seams->boxes.size(), 2);
    QVERIFY(seams->boxes[1].text.contains(QStringLiteral("Errors: 0\r\n")));
}

void NumericTest::fieldsAdvanceAtTheirLimit() {
    startNumeric(0);
    QTest::keyClicks(field(1), QStringLiteral("9999")); // wrong, still moves on
    QCOMPARE(QApplication::focusWidget(), field(2));
    QCOMPARE(field(1)->textColour(), kRed);
    QTest::keyClicks(field(2), QStringLiteral("108"));
    QCOMPARE(QApplication::focusWidget(), field(2));
    field(2)->insert(QStringLiteral("5-and-a-long-paste"));
    QCOMPARE(field(2)->text(), QStringLiteral("1085"));
    QCOMPARE(QApplication::focusWidget(), field(3));
    field(20)->setFocus();
    QTest::keyClicks(field(20), QStringLiteral("123456"));
    QCOMPARE(field(20)->text(), QStringLiteral("1234"));
    QCOMPARE(QApplication::focusWidget(), field(20));
}

void NumericTest::backspaceIsRefusedButDeleteWorks() {
    startNumeric(0);
    QTest::keyClicks(field(1), QStringLiteral("86"));
    QTest::keyClick(field(1), Qt::Key_Backspace);
    QTest::keyClick(field(1), Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(field(1)->text(), QStringLiteral("86"));
    QTest::keyClick(field(1), Qt::Key_Home);
    QTest::keyClick(field(1), Qt::Key_Delete);
    QCOMPARE(field(1)->text(), QStringLiteral("6"));
    field(1)->selectAll();
    QTest::keyClicks(field(1), QStringLiteral("8642"));
    QCOMPARE(field(1)->text(), QStringLiteral("8642"));
}

void NumericTest::colourIsSetOnLeavingAndCarriedIntoTheNextTest() {
    startNumeric(0);
    QTest::keyClicks(field(1), kSet0[0]);
    QCOMPARE(field(1)->textColour(), kBlack);
    QTest::keyClicks(field(2), QStringLiteral("1058"));
    QCOMPARE(field(2)->textColour(), kRed);
    typeEntries(withEntries(kSet0, {{1, ""}, {2, ""}}));
    window->Command1->click();
    QCOMPARE(seams->boxes.size(), 2);

    startNumeric(0);
    QCOMPARE(field(2)->textColour(), kRed); // until it is left again
    QTest::keyClicks(field(1), kSet0[0]);
    QTest::keyClicks(field(2), kSet0[1]);
    QCOMPARE(field(2)->textColour(), kBlack);
}

void NumericTest::tabRunsDownwards() {
    startNumeric(0);
    field(5)->setFocus();
    QTest::keyClicks(field(5), QStringLiteral("140"));
    QTest::keyClick(field(5), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), field(4));
    QCOMPARE(field(5)->textColour(), kRed);
    QTest::keyClick(field(4), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), field(5));
}

void NumericTest::anotherWindowInFrontIsNoLostFocus() {
    startNumeric(0);
    QTest::keyClicks(field(1), QStringLiteral("86"));
    QCOMPARE(field(1)->textColour(), kBlack);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(field(1)->textColour(), kBlack);
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), field(1));
}

void NumericTest::scoredAndStoredOnceWhateverIsPressedMeanwhile() {
    startNumeric(0);
    typeEntries(kSet0);
    seams->onBox = [&](const quiltest::Box&) {
        window->Command1->click();
        QTest::keyClick(window, Qt::Key_Return);
    };
    QTest::keyClick(field(20), Qt::Key_Return);
    QCOMPARE(seams->boxes.size(), 2);
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).size(), 1);
}

void NumericTest::resetAbandonsTheTest() {
    startNumeric(0);
    typeEntries(withEntries(kSet0, {{20, ""}}));
    window->Timer2_Timer();
    window->Reste->trigger();
    QVERIFY(!window->Timer2->isActive());
    QCOMPARE(window->s->text(), QStringLiteral("25"));
    QCOMPARE(window->quilr->text(), QString());
    QVERIFY(window->picNum->isHidden() && window->picNumb->isHidden());
    for (EntryField* entry : std::as_const(window->numericFields))
        QCOMPARE(entry->text(), QString());
    QCOMPARE(window->error->text(), QStringLiteral("0"));
    QCOMPARE(window->ks->text(), QStringLiteral("0"));
    QCOMPARE(seams->boxes.size(), 1);
    QVERIFY(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).isEmpty());
}

void NumericTest::failedStoreReportsTheUnsavedResult() {
    window->Label21->setText(QStringLiteral("Ana M. Reyes"));
    startNumeric(0);
    typeEntries(kSet0);
    // The results table is gone by the time the row is stored.
    quiltest::execute(seams->databasePath(), QStringLiteral("DROP TABLE tblRem"));
    window->Command1->click();
    QCOMPARE(seams->endCodes, QList<int>{1});
    QCOMPARE(seams->boxes.size(), 4);
    // Retry is offered first; nobody takes it here.
    QVERIFY(seams->boxes[2].question);
    const quiltest::Box& report = seams->boxes[3];
    QCOMPARE(report.icon, ui::Icon::Critical);
    for (const char* part : {"Ana M. Reyes", "Numeric", "Errors: 0", "Accuracy: 100", "80"})
        QVERIFY2(report.text.contains(QLatin1String(part)), qPrintable(report.text));
}

void NumericTest::failedStoreIsRetriedOrSaved_data() {
    quiltest::addRescueRows(QStringLiteral("tblRem"));
}

void NumericTest::failedStoreIsRetriedOrSaved() {
    QFETCH(QString, sabotage);
    QFETCH(QString, cure);
    QFETCH(QString, engineSays);
    QFETCH(quiltest::RescueScenario, scenario);
    window->Label21->setText(QStringLiteral("Zoë Ñúñez"));
    window->Label24->setText(QStringLiteral("1:52:44 PM"));
    startNumeric(0);
    typeEntries(withEntries(kSet0, {{4, "3201"}}));
    quiltest::execute(seams->databasePath(), sabotage);
    bool cured = false;
    const auto cureOnce = [&] {
        if (!std::exchange(cured, true))
            quiltest::execute(seams->databasePath(), cure);
    };
    quiltest::script(*seams, scenario, cureOnce);
    window->Command1->click();

    const QStringList fields{"Date: 12/10/2026", "Agent: Zoë Ñúñez", "Test: Numeric",
                             "Time: 1:52:44 PM", "Errors: 1",        "Accuracy: 98.8",
                             "KeyStroke: 80"};
    quiltest::verifyRescue(*seams, scenario, 2, {"unsaved-result", fields, engineSays});
    if (QTest::currentTestFailed())
        return;
    cureOnce();
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    if (!scenario.stored()) {
        QVERIFY(stored.isEmpty());
        return;
    }
    QCOMPARE(stored, (QList<QStringList>{
                         {"12/10/2026", "1:52:44 PM", "Zoë Ñúñez", "Numeric", "1", "98.8", "80"}}));
    QVERIFY(seams->endCodes.isEmpty());
    QVERIFY(window->Test->isEnabled() && !window->Reste->isEnabled());
}

QTEST_MAIN(NumericTest)
#include "tst_numeric.moc"
