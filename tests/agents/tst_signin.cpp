#include "AgentWindows.h"

#include "app/StartUp.h"
#include "core/ConnectionString.h"
#include "store/DataControl.h"
#include "support/Rows.h"
#include "support/Seams.h"
#include "ui/Counter.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>

using agenttest::activate;
using agenttest::settle;

namespace {

// A tblNew fixture: each name a row in this order, a null QString a Name without a value.
void insertAgents(const QString& databasePath, const QStringList& names) {
    for (const QString& name : names) {
        if (name.isNull()) {
            quiltest::execute(databasePath,
                              QStringLiteral("INSERT INTO tblNew (Name) VALUES (NULL)"));
            continue;
        }
        QString quoted = name;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        quiltest::execute(databasePath,
                          QStringLiteral("INSERT INTO tblNew (Name) VALUES ('%1')").arg(quoted));
    }
}

QStringList entries(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

enum class Leave { Ok, Cancel, Escape };

} // namespace

class SignInTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadShowsTheDisabledMainWindowAndListsEveryName();
    void unreadableAgentTableLeavesTheListEmpty();
    void typedCharactersAreDiscarded();
    void pickingMovesTheFocusToOkAndEnterSignsIn();
    void promptShowsUntilANameIsPicked();
    void listOpensFromTheKeyboard_data();
    void listOpensFromTheKeyboard();
    void arrowsOnOkPickInsteadOfReachingExit_data();
    void arrowsOnOkPickInsteadOfReachingExit();
    void okWithoutANameAsksForOne_data();
    void okWithoutANameAsksForOne();
    void leavingASwitch_data();
    void leavingASwitch();
    void registerNowThenCancelReachesTheMainWindowWithoutAgent();
    void exitEndsWithoutAUsageRow();

private:
    frmLog* startUp(const QStringList& agents);
    frmEntry* main() { return Windows::find<frmEntry>(); }
    frmLog* signIn() { return Windows::find<frmLog>(); }
    void signInAs(int index);

    std::unique_ptr<quiltest::Seams> seams;
};

void SignInTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    seams->createDatabase();
}

void SignInTest::cleanup() {
    agenttest::unloadAll();
    seams.reset();
}

frmLog* SignInTest::startUp(const QStringList& agents) {
    insertAgents(seams->databasePath(), agents);
    app::startUp();
    main()->Timer4->stop();
    return signIn();
}

void SignInTest::signInAs(int index) {
    signIn()->Combo1->setCurrentIndex(index);
    signIn()->Command2->click();
    settle();
}

void SignInTest::loadShowsTheDisabledMainWindowAndListsEveryName() {
    const QStringList agents{"Ann M. Reyes",
                             QString(),
                             "",
                             "Bo K. Lind",
                             "Ann M. Reyes",
                             "O'Neil; DROP TABLE tblNew;--",
                             QStringLiteral("Łucja Ż. 王明"),
                             QStringLiteral("😀 X. Émoji")};
    frmLog* window = startUp(agents);

    QCOMPARE(window->windowTitle(), QStringLiteral("Select User"));
    QVERIFY(main() && main()->isVisible() && !main()->isEnabled());
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(window->adosearch->ConnectionString(), store::connectionStringB(seams->folder()).text);
    QCOMPARE(window->adosearch->RecordSource(), QStringLiteral("Select * from tblNew"));
    // The Null name is left out; the empty one and the duplicate stay, in the table's order.
    QStringList listed = agents;
    listed.removeAt(1);
    QCOMPARE(entries(window->Combo1), listed);
    QCOMPARE(window->Combo1->currentText(), QString());
    QVERIFY(window->Command1->isVisible() && !window->Command4->isVisible());
    QCOMPARE(window->Command4->geometry(), window->Command1->geometry());
    QVERIFY(seams->boxes.isEmpty() && seams->endCodes.isEmpty());
}

// Start-up refuses a file without the agents table; one that loses it later meets the switch.
void SignInTest::unreadableAgentTableLeavesTheListEmpty() {
    frmEntry* entry = Windows::show<frmEntry>();
    quiltest::execute(seams->databasePath(), QStringLiteral("DROP TABLE tblNew"));
    entry->sa->trigger();
    frmLog* window = Windows::find<frmLog>();
    QVERIFY(window);
    QCOMPARE(window->Combo1->count(), 0);
    QVERIFY(window->isVisible() && !main()->isEnabled());
    QVERIFY(seams->boxes.isEmpty() && seams->endCodes.isEmpty());
}

void SignInTest::typedCharactersAreDiscarded() {
    frmLog* window = startUp({"Ann M. Reyes"});
    QVERIFY(activate(window));
    QApplication::clipboard()->setText(QStringLiteral("Zed"));
    window->Combo1->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "Zed");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window->Combo1->currentText(), QString());
    QCOMPARE(window->Combo1->currentIndex(), -1);
}

void SignInTest::pickingMovesTheFocusToOkAndEnterSignsIn() {
    frmLog* window = startUp({"Ann M. Reyes", "Bo K. Lind"});
    QVERIFY(activate(window));
    QCOMPARE(QApplication::focusWidget(), window->Combo1);
    QTest::keyClick(window->Combo1, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), window->Command2);
    QCOMPARE(window->Combo1->currentText(), QStringLiteral("Ann M. Reyes"));
    QTest::keyClick(window->Combo1, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), window->Command2);
    QCOMPARE(window->Combo1->currentText(), QStringLiteral("Bo K. Lind"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    QVERIFY(!signIn());
    QCOMPARE(main()->Label21->text(), QStringLiteral("Bo K. Lind"));
    QVERIFY(main()->isEnabled());
}

void SignInTest::promptShowsUntilANameIsPicked() {
    frmLog* window = startUp({"Ann M. Reyes"});
    QLineEdit* text = window->Combo1->lineEdit();
    QCOMPARE(text->placeholderText(), QStringLiteral("Pick your name"));
    QCOMPARE(window->Combo1->currentText(), QString());
    QCOMPARE(window->Combo1->currentIndex(), -1);
    // Ok with only the prompt showing asks for a name.
    window->Command2->click();
    QCOMPARE(seams->boxes.size(), 1);
    window->Combo1->setCurrentIndex(0);
    QCOMPARE(window->Combo1->currentText(), QStringLiteral("Ann M. Reyes"));
}

void SignInTest::listOpensFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
}

void SignInTest::listOpensFromTheKeyboard() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    frmLog* window = startUp({"Ann M. Reyes", "Bo K. Lind"});
    QVERIFY(activate(window));
    QTest::keyClick(window->Combo1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(window->Combo1->view()->isVisible());
    // Opening picks nothing.
    QCOMPARE(window->Combo1->currentText(), QString());
    window->Combo1->hidePopup();
}

void SignInTest::arrowsOnOkPickInsteadOfReachingExit_data() {
    QTest::addColumn<QStringList>("agents");
    QTest::addColumn<QList<int>>("keys");  // each to the widget with the focus, then Enter
    QTest::addColumn<QString>("signedIn"); // empty: still asked to pick one
    const QStringList two{"Ann M. Reyes", "Bo K. Lind"};
    const int down = Qt::Key_Down;
    const int up = Qt::Key_Up;
    QTest::newRow("Down, Down: the second") << two << QList<int>{down, down} << "Bo K. Lind";
    QTest::newRow("past the last: the last") << two << QList<int>{down, down, down} << "Bo K. Lind";
    QTest::newRow("Down, Down, Up: the first")
        << two << QList<int>{down, down, up} << "Ann M. Reyes";
    QTest::newRow("above the first: the first")
        << two << QList<int>{down, up, up} << "Ann M. Reyes";
    QTest::newRow("one name: Down, Down")
        << QStringList{"Ann M. Reyes"} << QList<int>{down, down} << "Ann M. Reyes";
    QTest::newRow("no name: Down, Down") << QStringList{} << QList<int>{down, down} << "";
}

// The first pick moves the focus to Ok; the arrows that follow must not carry it to Exit,
// where Enter would end the program.
void SignInTest::arrowsOnOkPickInsteadOfReachingExit() {
    QFETCH(QStringList, agents);
    QFETCH(QList<int>, keys);
    QFETCH(QString, signedIn);
    frmLog* window = startUp(agents);
    QVERIFY(activate(window));
    for (int key : keys) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(QApplication::focusWidget() != window->Command1);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();

    QVERIFY(seams->endCodes.isEmpty());
    if (signedIn.isEmpty()) {
        QCOMPARE(seams->boxes.size(), 1);
        QCOMPARE(signIn(), window);
        return;
    }
    QVERIFY(!signIn());
    QCOMPARE(main()->Label21->text(), signedIn);
}

void SignInTest::okWithoutANameAsksForOne_data() {
    QTest::addColumn<QStringList>("agents");
    QTest::addColumn<int>("picked");
    QTest::newRow("empty table") << QStringList{} << -1;
    QTest::newRow("nothing picked") << QStringList{"Ann M. Reyes"} << -1;
    QTest::newRow("the empty name picked") << QStringList{"Ann M. Reyes", ""} << 1;
}

void SignInTest::okWithoutANameAsksForOne() {
    QFETCH(QStringList, agents);
    QFETCH(int, picked);
    frmLog* window = startUp(agents);
    window->Combo1->setCurrentIndex(picked);
    window->Command2->click();
    settle();

    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes[0].icon, ui::Icon::Information);
    QCOMPARE(seams->boxes[0].title, QStringLiteral("TORLENWORKS"));
    QCOMPARE(seams->boxes[0].text,
             QStringLiteral("Select User!\r\n\r\nIf its not you, you may register"));
    QCOMPARE(signIn(), window);
    QVERIFY(window->isVisible() && !main()->isEnabled());
    QCOMPARE(main()->Label21->text(), QString());
}

void SignInTest::leavingASwitch_data() {
    QTest::addColumn<Leave>("leave");
    QTest::addColumn<QString>("agentAfter");
    QTest::newRow("Ok replaces the agent") << Leave::Ok << "Bo K. Lind";
    QTest::newRow("Cancel keeps the agent") << Leave::Cancel << "Ann M. Reyes";
    QTest::newRow("Escape keeps the agent") << Leave::Escape << "Ann M. Reyes";
}

void SignInTest::leavingASwitch() {
    QFETCH(Leave, leave);
    QFETCH(QString, agentAfter);
    startUp({"Ann M. Reyes", "Bo K. Lind"});
    signInAs(0);
    // Registered meanwhile: the switch reads the list afresh.
    insertAgents(seams->databasePath(), {"Cy D. Moss"});

    main()->sa->trigger();
    frmLog* window = signIn();
    QVERIFY(window && window->isVisible());
    QVERIFY(activate(window));
    QVERIFY(!main()->isEnabled());
    QVERIFY(window->Command4->isVisible() && !window->Command1->isVisible());
    QCOMPARE(entries(window->Combo1), (QStringList{"Ann M. Reyes", "Bo K. Lind", "Cy D. Moss"}));

    window->Combo1->setCurrentIndex(1);
    if (leave == Leave::Ok)
        window->Command2->click();
    else if (leave == Leave::Cancel)
        window->Command4->click();
    else
        QTest::keyClick(window, Qt::Key_Escape);
    settle();

    QVERIFY(!signIn());
    QVERIFY(main()->isEnabled());
    QCOMPARE(main()->Label21->text(), agentAfter);
    agenttest::runNumericTestOut(main());
    const QList<QStringList> results =
        quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    QCOMPARE(results.size(), 1);
    QCOMPARE(results[0].value(2), agentAfter); // Date, Time, Name, ...
}

void SignInTest::registerNowThenCancelReachesTheMainWindowWithoutAgent() {
    frmLog* window = startUp({"Ann M. Reyes"});
    window->Command3->click();
    settle();
    QVERIFY(!signIn());
    frmAgent* registration = Windows::find<frmAgent>();
    QVERIFY(registration && registration->isVisible());
    QVERIFY(main()->isEnabled());

    registration->Command1->click();
    settle();
    QVERIFY(!Windows::find<frmAgent>());
    QVERIFY(main()->isEnabled());
    QCOMPARE(main()->Label21->text(), QString());
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblNew")).size(), 1);
    agenttest::runNumericTestOut(main());
    const QList<QStringList> results =
        quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    QCOMPARE(results.size(), 1);
    QCOMPARE(results[0].value(2), QString());
}

void SignInTest::exitEndsWithoutAUsageRow() {
    frmLog* window = startUp({"Ann M. Reyes"});
    window->Command1->click();
    QCOMPARE(seams->endCodes, QList<int>{0});
    QVERIFY(quiltest::rows(seams->databasePath(), QStringLiteral("tblSystem")).isEmpty());
}

QTEST_MAIN(SignInTest)
#include "tst_signin.moc"
