// The real program, installed in a folder of its own with a fresh database, driven on a virtual X
// screen with key presses and clicks as a person would: register an agent, sign in, take a
// Numeric test and an Alpha test, look at the results, leave through the menu. Then the rows the
// run stored are read back. Each step leaves a screenshot in the build folder (e2e-screens/).
//
// The steps run in order and build on one another; once one fails, the later ones are skipped.
#include "Desktop.h"
#include "InstalledProgram.h"
#include "VirtualScreen.h"
#include "support/Rows.h"

#include <QDir>
#include <QTest>
#include <memory>

namespace {

const QString kMainTitle = QStringLiteral("Quil's DATA ENTRY TIMED!!!");
const QString kSignInTitle = QStringLiteral("Select User");
const QString kRegistrationTitle = QStringLiteral("New Agent");
const QString kAgentBoxTitle = QStringLiteral("TORLENWORKS");
const QString kTestBoxTitle = QStringLiteral("Quil's Data Entry");
const QString kResultsTitle = QStringLiteral("Quil's Data Entry Result");

const QString kAgent = QStringLiteral("Ana M. Reyes");

constexpr int kWindowWaitMs = 20000;
constexpr int kMenuWaitMs = 5000;
// The Alpha countdown is 35 s; the rest is room for a busy machine.
constexpr int kAlphaTimeOutMs = 35000 + 25000;

// Places in the windows, in pixels from the top left corner of their client area. The menu titles
// are where the main window's menu bar draws them in the program's font (as in
// docs/screenshots/main-idle.png); "Register Now!" lies at 1320, 1200 (2655 x 375) twips.
const QPoint kMenuTitle(27, 10);
const QPoint kTestTitle(73, 10);
const QPoint kResultTitle(227, 10);
const QPoint kRegisterNow(176, 92);

} // namespace

// A step that fails says why, together with what the program said and whether it still runs.
#define STEP(ok) QVERIFY2(ok, qPrintable(why()))

class EndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void registersAnAgent();
    void signsInAsTheNewAgent();
    void takesANumericTestAllWrongAndPressesDone();
    void letsAnAlphaTestTimeOut();
    void looksAtTheResults();
    void leavesThroughMenuExit();
    void theDatabaseHoldsTheRun();

private:
    std::optional<e2e::Window> window(const QString& title, int timeoutMs = kWindowWaitMs);
    bool closeWithEnter(const QString& title, const QString& shotName,
                        int timeoutMs = kWindowWaitMs);
    bool chooseFromMenu(QPoint menuTitle, const QStringList& keys);
    void shot(const QString& name);
    QString why() const;

    std::unique_ptr<e2e::InstalledProgram> program;
    std::unique_ptr<e2e::VirtualScreen> screen;
    std::unique_ptr<e2e::Desktop> desktop;
    QString screensFolder;
    int shots = 0;
    bool stepFailed = false;
};

void EndToEnd::initTestCase() {
    const QStringList missing = e2e::Desktop::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable(QStringLiteral("needs %1 (bash scripts/setup installs them)")
                             .arg(missing.join(QStringLiteral(", ")))));
    screensFolder = qEnvironmentVariable("QUIL_E2E_SCREENS",
                                         QDir::current().filePath(QStringLiteral("e2e-screens")));
    QDir screens(screensFolder);
    QVERIFY2(screens.mkpath(QStringLiteral(".")), qPrintable(screensFolder));
    for (const QString& old : screens.entryList({QStringLiteral("*.png")}, QDir::Files))
        screens.remove(old);

    program = std::make_unique<e2e::InstalledProgram>(qEnvironmentVariable("QUIL_BIN_DIR"));
    QVERIFY2(program->install(), qPrintable(program->error()));
    screen = std::make_unique<e2e::VirtualScreen>();
    QVERIFY2(screen->start(QDir(program->folder()).filePath(QStringLiteral("xvfb.log")), 20000),
             qPrintable(screen->error()));
    desktop = std::make_unique<e2e::Desktop>(screen->display());
    QVERIFY2(program->start(screen->display()), qPrintable(program->error()));
}

void EndToEnd::init() {
    if (stepFailed)
        QSKIP("an earlier step of the run failed");
}

void EndToEnd::cleanup() {
    if (QTest::currentTestFailed()) {
        stepFailed = true;
        shot(QStringLiteral("failed-") + QLatin1String(QTest::currentTestFunction()));
    }
}

void EndToEnd::cleanupTestCase() {
    program.reset();
    screen.reset();
}

void EndToEnd::registersAnAgent() {
    const auto signIn = window(kSignInTitle);
    STEP(signIn);
    shot(QStringLiteral("sign-in"));
    STEP(desktop->click(*signIn, kRegisterNow));

    const auto registration = window(kRegistrationTitle);
    STEP(registration);
    STEP(desktop->activate(*registration));
    STEP(desktop->type(QStringLiteral("Reyes")) && desktop->keys({QStringLiteral("Tab")}) &&
         desktop->type(QStringLiteral("Ana")) && desktop->keys({QStringLiteral("Tab")}) &&
         desktop->type(QStringLiteral("M")));
    shot(QStringLiteral("registration"));
    STEP(desktop->keys({QStringLiteral("Return")}));
    STEP(closeWithEnter(kAgentBoxTitle, QStringLiteral("agent-added")));
}

void EndToEnd::signsInAsTheNewAgent() {
    const auto signIn = window(kSignInTitle);
    STEP(signIn);
    STEP(desktop->activate(*signIn));
    STEP(desktop->keys({QStringLiteral("Down")}));
    shot(QStringLiteral("agent-picked"));
    STEP(desktop->keys({QStringLiteral("Return")}));
    STEP(desktop->waitUntilGone(kSignInTitle, kWindowWaitMs));
    shot(QStringLiteral("signed-in"));
}

void EndToEnd::takesANumericTestAllWrongAndPressesDone() {
    // Test menu: Alpha, Numeric, Alpha-Numeric.
    STEP(chooseFromMenu(
        kTestTitle, {QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return")}));
    STEP(closeWithEnter(kTestBoxTitle, QStringLiteral("numeric-information")));
    const auto main = window(kMainTitle);
    STEP(main);
    STEP(desktop->activate(*main));
    // No reference number of any set is 0000: twenty wrong entries, each moving the focus on
    // when full; Enter in the last one presses Done.
    STEP(desktop->type(QStringLiteral("0000").repeated(20)));
    shot(QStringLiteral("numeric-typed"));
    STEP(desktop->keys({QStringLiteral("Return")}));
    STEP(closeWithEnter(kTestBoxTitle, QStringLiteral("numeric-summary")));
}

void EndToEnd::letsAnAlphaTestTimeOut() {
    STEP(chooseFromMenu(kTestTitle, {QStringLiteral("Down"), QStringLiteral("Return")}));
    STEP(closeWithEnter(kTestBoxTitle, QStringLiteral("alpha-information")));
    const auto main = window(kMainTitle);
    STEP(main);
    STEP(desktop->activate(*main));
    shot(QStringLiteral("alpha-running"));
    // Nothing typed: the countdown scores the test and opens the summary.
    STEP(closeWithEnter(kTestBoxTitle, QStringLiteral("alpha-summary"), kAlphaTimeOutMs));
}

void EndToEnd::looksAtTheResults() {
    const auto main = window(kMainTitle);
    STEP(main);
    STEP(desktop->activate(*main));
    STEP(desktop->click(*main, kResultTitle));
    // Enter presses the results window's Close.
    STEP(closeWithEnter(kResultsTitle, QStringLiteral("results")));
}

void EndToEnd::leavesThroughMenuExit() {
    // Menu: New Agent, Swich Agent, System Usage Menu, Exit.
    STEP(chooseFromMenu(kMenuTitle, {QStringLiteral("Down"), QStringLiteral("Down"),
                                     QStringLiteral("Down"), QStringLiteral("Down")}));
    shot(QStringLiteral("exit-chosen"));
    STEP(desktop->keys({QStringLiteral("Return")}));
    QVERIFY2(program->waitForEnd(kWindowWaitMs), qPrintable(program->error()));
    QCOMPARE(program->exitCode(), 0);
}

void EndToEnd::theDatabaseHoldsTheRun() {
    const QString database = program->databasePath();
    QCOMPARE(quiltest::rows(database, QStringLiteral("tblNew")),
             QList<QStringList>{QStringList{kAgent}});

    // Date, Time, Name, Test, Errors, Accuracy, Keystroke.
    const QList<QStringList> results = quiltest::rows(database, QStringLiteral("tblRem"));
    QCOMPARE(results.size(), 2);
    const QStringList& numeric = results[0];
    const QStringList& alpha = results[1];
    QCOMPARE(numeric.mid(2), QStringList({kAgent, QStringLiteral("Numeric"), QStringLiteral("20"),
                                          QStringLiteral("72"), QStringLiteral("80")}));
    QCOMPARE(alpha.mid(2, 4), QStringList({kAgent, QStringLiteral("alpha"), QStringLiteral("12"),
                                           QStringLiteral("91.7")}));
    // Nothing typed: the keystrokes are the base of whichever record was drawn.
    const QStringList alphaBases{QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("9"),
                                 QStringLiteral("1"), QStringLiteral("7")};
    QVERIFY2(alphaBases.contains(alpha[6]), qPrintable(alpha[6]));
    for (const QStringList& row : results) {
        QCOMPARE(row[0], numeric[0]); // the date captured when the main window loaded
        QVERIFY2(!row[0].isEmpty() && !row[1].isEmpty(), qPrintable(row.join(QLatin1Char('|'))));
    }

    // Date, Time, Elapsed, LastAgent.
    const QList<QStringList> usage = quiltest::rows(database, QStringLiteral("tblSystem"));
    QCOMPARE(usage.size(), 1);
    QCOMPARE(usage[0][0], numeric[0]);
    QVERIFY2(usage[0][2].startsWith(QLatin1String("SD: ")), qPrintable(usage[0][2]));
    QCOMPARE(usage[0][3], kAgent);
}

std::optional<e2e::Window> EndToEnd::window(const QString& title, int timeoutMs) {
    return desktop->waitForWindow(title, timeoutMs);
}

// Waits for the window, photographs it, and presses Enter in it: its default button (OK of a
// message box, Close of the results window) closes it.
bool EndToEnd::closeWithEnter(const QString& title, const QString& shotName, int timeoutMs) {
    const auto found = window(title, timeoutMs);
    if (!found)
        return false;
    shot(shotName);
    return desktop->activate(*found) && desktop->keys({QStringLiteral("Return")}) &&
           desktop->waitUntilGone(title, kWindowWaitMs);
}

// The menu bar has no keyboard mnemonics: a click opens the menu, keys choose in it.
bool EndToEnd::chooseFromMenu(QPoint menuTitle, const QStringList& keys) {
    const auto main = window(kMainTitle);
    return main && desktop->activate(*main) && desktop->click(*main, menuTitle) &&
           desktop->waitForMenu(kMenuWaitMs) && desktop->keys(keys);
}

void EndToEnd::shot(const QString& name) {
    if (!desktop)
        return;
    const QString path =
        QDir(screensFolder)
            .filePath(QStringLiteral("%1-%2.png").arg(++shots, 2, 10, QLatin1Char('0')).arg(name));
    if (!desktop->screenshot(path))
        qWarning("no screenshot %s: %s", qPrintable(path), qPrintable(desktop->error()));
}

QString EndToEnd::why() const {
    return desktop->error() + QStringLiteral(" (") + program->state() + QLatin1Char(')');
}

QTEST_GUILESS_MAIN(EndToEnd)
#include "tst_e2e.moc"
