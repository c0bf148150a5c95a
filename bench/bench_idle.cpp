// Idle cost: the CPU time of the program while nobody touches it, as % of one core (goal: each
// under 1%), offscreen, with the banner movie: (a) at the main window after sign-in; (b) with the
// registration window open; (c) with the admin window's records stage open. Each before the
// first test, while the main window's idle selector still ticks every 10 ms, and after it, once
// the first test has stopped the selector.
//
//   quil-bench-idle [seconds per run, default 10] [runs per case, default 3]
#include "BenchSupport.h"
#include "agents/frmAgent.h"
#include "app/frmEntry.h"
#include "records/frmAdm.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

struct Settings {
    int seconds = 10;
    int runs = 3;
};

// The median share of one core that the process used while its event loop ran undisturbed.
double idlePercent(const Settings& settings) {
    QCoreApplication::processEvents(); // what the opening itself left to do is not idle
    std::vector<double> percent;
    for (int run = 0; run < settings.runs; ++run) {
        const double before = bench::cpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(settings.seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        percent.push_back((bench::cpuSeconds() - before) * 100 / settings.seconds);
    }
    return bench::summarize(percent).median;
}

void report(const QString& what, double percent) {
    std::printf("%-62s %6.2f %% of one core\n", qPrintable(what), percent);
    bench::figure(QStringLiteral("idle CPU: ") + what,
                  QStringLiteral("%1 %").arg(percent, 0, 'f', 2), QStringLiteral("under 1 %"));
}

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
bool reportEachCase(frmEntry* main, const QString& when, const Settings& settings) {
    report(QStringLiteral("(a) main window, ") + when, idlePercent(settings));

    main->new__Click();
    report(QStringLiteral("(b) registration window open, ") + when, idlePercent(settings));
    Windows::find<frmAgent>()->Command1_Click();

    if (!openAdminRecords(main)) {
        std::fprintf(stderr, "quil-bench-idle: the admin window's records stage did not open\n");
        return false;
    }
    report(QStringLiteral("(c) admin window, records stage open, ") + when, idlePercent(settings));
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
    bench::answerBoxes();
    QTemporaryDir folder;
    if (!bench::makeProgramFolder(folder.path(), true) ||
        !bench::fillResults(QDir(folder.path()).filePath(QStringLiteral("dbTWRes.mdb")), 100))
        return 1;
    std::printf("median of %d runs of %d s each, platform %s\n", settings.runs, settings.seconds,
                qPrintable(QGuiApplication::platformName()));

    frmEntry* main = bench::signIn();
    if (!reportEachCase(main, QStringLiteral("before the first test"), settings))
        return 1;
    main->number_Click();
    main->Reste_Click();
    if (!reportEachCase(main, QStringLiteral("after the first test"), settings))
        return 1;
    return 0;
}
