// Idle cost: what the program spends while nobody touches it, with the banner movie, offscreen
// unless QT_QPA_PLATFORM says otherwise. Each case gives the CPU time as % of one core and the
// context switches a second; the voluntary ones are the wake-ups (the process slept and
// something woke it), and the timer events by receiver say who woke it.
//
// First the baseline, measured the same way in the same run: a bare window of the same kind (a
// main window with a menu bar, 20 line edits, a one-second clock and a small grid). Every figure
// after it is also given as a ratio to it. Then the floor: an empty timer waking the process five
// times a second with no window, what a wake-up costs on this machine whatever it does; each
// case's CPU time per wake-up stands beside it. Then (s) the sign-in window over the disabled main
// window, as at start-up; then, before the first test and after it, (a) the main window, (b)
// with the registration window open and (c) with the admin window's records stage open.
//
//   quil-bench-idle [seconds per run, default 10] [runs per case, default 3] [nobanner]
//
// nobanner measures without the banner movie: the program's own share.
#include "BenchSupport.h"
#include "IdleMeter.h"
#include "agents/frmAgent.h"
#include "app/frmEntry.h"
#include "records/frmAdm.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct Settings {
    int seconds = 10;
    int runs = 3;
    bool banner = true;
};

const QString kMainGoal = QStringLiteral("at most 0.08 %");
const QString kWindowGoal = QStringLiteral("at most 0.10 %");

// What an idle Qt window of this kind costs anyway: the yardstick of every case.
std::unique_ptr<QMainWindow> bareWindow() {
    auto window = std::make_unique<QMainWindow>();
    window->setObjectName(QStringLiteral("bareWindow"));
    QMenu* file = window->menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Open"));
    file->addAction(QStringLiteral("Exit"));
    window->menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));

    auto* client = new QWidget;
    auto* layout = new QGridLayout(client);
    for (int i = 0; i < 20; ++i)
        layout->addWidget(new QLineEdit, i / 4, i % 4);
    auto* clock = new QLabel;
    layout->addWidget(clock, 5, 0, 1, 4);
    auto* ticks = new QTimer(clock);
    ticks->setObjectName(QStringLiteral("clock"));
    QObject::connect(ticks, &QTimer::timeout, clock,
                     [clock] { clock->setText(QTime::currentTime().toString()); });
    ticks->start(1000);

    auto* model = new QStandardItemModel(8, 7, window.get());
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = 0; column < model->columnCount(); ++column)
            model->setItem(row, column, new QStandardItem(QStringLiteral("%1").arg(row * column)));
    auto* grid = new QTableView;
    grid->setModel(model);
    layout->addWidget(grid, 6, 0, 1, 4);
    window->setCentralWidget(client);
    return window;
}

QString ratio(double value, double baseline) {
    return baseline > 0 ? QStringLiteral("%1 x").arg(value / baseline, 0, 'f', 1)
                        : QStringLiteral("no bare figure");
}

// CPU time per wake-up: 1 % of a core is 10 ms a second.
QString perWakeUp(const bench::IdleCost& cost) {
    return cost.wakeUps > 0 ? QStringLiteral("%1 µs a wake-up")
                                  .arg(cost.cpuPercent * 10000 / cost.wakeUps, 0, 'f', 0)
                            : QStringLiteral("no wake-up");
}

// Who had focus while the case ran: a focused line edit blinks its cursor.
QString focusText() {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? bench::describe(focus) : QStringLiteral("nothing");
}

// Why each known waker stays; any other is one to look into.
QString whyItStays(const QString& who) {
    static const std::pair<const char*, const char*> known[] = {
        {"QTimer Timer4 < frmEntry", "the clock and usage time, once a second by design"},
        {"QTimer frameTimer < ui::BannerPlayer", "the banner movie's frames"},
        {"QWidgetLineControl < QLineEdit", "the focused field's caret blink, Qt's own and seen"},
        {"QPMCache", "Qt's pixmap cache trimming itself while it holds pixmaps"},
        {"QTimer clock < QLabel (QMainWindow bareWindow)", "the bare window's clock"},
    };
    for (const auto& [receiver, why] : known)
        if (who.startsWith(QLatin1String(receiver)))
            return QLatin1String(why);
    return QStringLiteral("NOT EXPLAINED");
}

void printWakers(const bench::IdleFigures& figures) {
    std::printf("  who wakes it (timer events/s, %.1f in all; focus: %s):\n",
                figures.timerEventsPerSecond, qPrintable(focusText()));
    for (const bench::Waker& waker : figures.wakers)
        std::printf("    %6.2f  %s: %s\n", waker.perSecond, qPrintable(waker.who),
                    qPrintable(whyItStays(waker.who)));
    std::printf("  what they paint (paint events/s):\n");
    for (const bench::Waker& painted : figures.painted)
        std::printf("    %6.2f  %s\n", painted.perSecond, qPrintable(painted.who));
    std::printf("  wake-ups/s by thread:");
    for (const bench::Waker& thread : figures.threads)
        std::printf(" %s %.1f;", qPrintable(thread.who), thread.perSecond);
    std::printf("\n");
}

QString figureName(const QString& what, const Settings& settings) {
    return QStringLiteral("idle CPU (%1%2): %3")
        .arg(QGuiApplication::platformName(),
             settings.banner ? QString() : QStringLiteral(", without the banner"), what);
}

class Cases {
public:
    explicit Cases(Settings settings) : settings(settings) {}

    void measureBareWindow() {
        const std::unique_ptr<QMainWindow> window = bareWindow();
        window->show();
        const bench::IdleFigures figures = bench::measureIdle(settings.seconds, settings.runs);
        bare = figures.cost;
        const bench::IdleCost& c = figures.cost;
        std::printf("bare window (the baseline)\n  %.2f %% of one core, %.1f context "
                    "switches/s, %.1f of them wake-ups, %s\n",
                    c.cpuPercent, c.switches, c.wakeUps, qPrintable(perWakeUp(c)));
        printWakers(figures);
        bench::figure(figureName(QStringLiteral("bare window, the baseline"), settings),
                      QStringLiteral("%1 %, %2 context switches/s, %3 wake-ups/s, %4")
                          .arg(c.cpuPercent, 0, 'f', 2)
                          .arg(c.switches, 0, 'f', 1)
                          .arg(c.wakeUps, 0, 'f', 1)
                          .arg(perWakeUp(c)));
    }

    void measureWakeUpFloor() {
        QTimer empty;
        empty.start(200);
        const bench::IdleFigures figures = bench::measureIdle(settings.seconds, settings.runs);
        const bench::IdleCost& c = figures.cost;
        std::printf("an empty timer, five times a second, no window (the floor)\n  %.3f %% of "
                    "one core, %.1f wake-ups/s, %s\n",
                    c.cpuPercent, c.wakeUps, qPrintable(perWakeUp(c)));
        bench::figure(figureName(QStringLiteral("an empty 5 Hz timer, the floor"), settings),
                      QStringLiteral("%1 %, %2 wake-ups/s, %3")
                          .arg(c.cpuPercent, 0, 'f', 3)
                          .arg(c.wakeUps, 0, 'f', 1)
                          .arg(perWakeUp(c)));
    }

    void measure(const QString& what, const QString& goal) {
        const bench::IdleFigures figures = bench::measureIdle(settings.seconds, settings.runs);
        const bench::IdleCost& c = figures.cost;
        const QString cpu = QStringLiteral("%1 % (%2 bare window)")
                                .arg(c.cpuPercent, 0, 'f', 2)
                                .arg(ratio(c.cpuPercent, bare.cpuPercent));
        const QString switches = QStringLiteral("%1 context switches/s (%2), %3 wake-ups/s, %4")
                                     .arg(c.switches, 0, 'f', 1)
                                     .arg(ratio(c.switches, bare.switches))
                                     .arg(c.wakeUps, 0, 'f', 1)
                                     .arg(perWakeUp(c));
        std::printf("%s\n  %s of one core, %s\n", qPrintable(what), qPrintable(cpu),
                    qPrintable(switches));
        printWakers(figures);
        bench::figure(figureName(what, settings), cpu + QStringLiteral(", ") + switches, goal);
    }

private:
    Settings settings;
    bench::IdleCost bare;
};

bool openAdminRecords(frmEntry* main) {
    main->amd_Click();
    frmAdm* admin = Windows::find<frmAdm>();
    if (!admin)
        return false;
    admin->Text1->setText(QStringLiteral("admin"));
    admin->Command1_Click();
    return Windows::find<frmAdm>() != nullptr;
}

// The three cases in the main window's present state.
bool measureEachCase(Cases& cases, frmEntry* main, const QString& when) {
    cases.measure(QStringLiteral("(a) main window, ") + when, kMainGoal);

    main->new__Click();
    cases.measure(QStringLiteral("(b) registration window open, ") + when, kWindowGoal);
    Windows::find<frmAgent>()->Command1_Click();

    if (!openAdminRecords(main)) {
        std::fprintf(stderr, "quil-bench-idle: the admin window's records stage did not open\n");
        return false;
    }
    cases.measure(QStringLiteral("(c) admin window, records stage open, ") + when, kWindowGoal);
    Windows::find<frmAdm>()->Command3_Click();
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    Settings settings;
    if (argc > 1)
        settings.seconds = std::max(1, QString::fromLocal8Bit(argv[1]).toInt());
    if (argc > 2)
        settings.runs = std::max(1, QString::fromLocal8Bit(argv[2]).toInt());
    settings.banner = !(argc > 3 && QString::fromLocal8Bit(argv[3]) == QLatin1String("nobanner"));
    bench::answerBoxes();
    QTemporaryDir folder;
    if (!bench::makeProgramFolder(folder.path(), settings.banner) ||
        !bench::fillResults(QDir(folder.path()).filePath(QStringLiteral("dbTWRes.mdb")), 100))
        return 1;
    std::printf("median of %d runs of %d s each, platform %s, %s\n", settings.runs,
                settings.seconds, qPrintable(QGuiApplication::platformName()),
                settings.banner ? "with the banner" : "without the banner");

    Cases cases(settings);
    cases.measureBareWindow();
    cases.measureWakeUpFloor();
    frmLog* signInWindow = bench::startUp();
    cases.measure(QStringLiteral("(s) sign-in window open, before the first test"),
                  kWindowGoal + QStringLiteral(", 10 wake-ups/s"));
    frmEntry* main = bench::signIn(signInWindow);
    if (!measureEachCase(cases, main, QStringLiteral("before the first test")))
        return 1;
    main->number_Click();
    main->Reste_Click();
    return measureEachCase(cases, main, QStringLiteral("after the first test")) ? 0 : 1;
}
