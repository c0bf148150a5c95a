// Countdown fidelity: the wall-clock time from a Numeric start (its information box answered)
// to the time-out summary, left to run undisturbed; goal: within 50 ms of 25 s. Offscreen.
//
//   quil-bench-countdown [runs, default 3]
#include "BenchSeams.h"
#include "BenchSupport.h"
#include "app/frmEntry.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kCountdownSeconds = 25;

// Seconds from the information box answered to the time-out summary opening; negative when no
// summary came within a generous time.
double oneCountdown(frmEntry* main) {
    double started = -1, summarised = -1;
    QEventLoop loop;
    bench::AnsweringDialogs dialogs([&](ui::Icon, const QString& text) {
        if (text.startsWith(QLatin1String("Numberic Test:")))
            started = bench::monotonicSeconds(); // the box returns at once: answered now
        else if (text.startsWith(QLatin1String("Time's Up!"))) {
            summarised = bench::monotonicSeconds();
            loop.quit();
        }
    });
    ui::Dialogs::replaceWith(&dialogs);
    QTimer::singleShot(int(kCountdownSeconds * 1000) + 10000, &loop, &QEventLoop::quit);
    main->number_Click();
    loop.exec();
    bench::answerBoxes();
    return summarised < 0 || started < 0 ? -1 : summarised - started;
}

} // namespace

int main(int argc, char* argv[]) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    bench::answerBoxes();
    QTemporaryDir folder;
    if (!bench::makeProgramFolder(folder.path(), true))
        return 1;
    frmEntry* main = bench::signIn();
    std::vector<double> offMs;
    for (int run = 0; run < runs; ++run) {
        const double seconds = oneCountdown(main);
        if (seconds < 0) {
            std::fprintf(stderr, "quil-bench-countdown: no time-out summary came\n");
            return 1;
        }
        offMs.push_back((seconds - kCountdownSeconds) * 1000);
        std::printf("run %d: %.3f s from start to summary (%+.1f ms)\n", run + 1, seconds,
                    offMs.back());
    }
    const bench::Summary off = bench::summarize(offMs);
    const double worst = std::max(std::fabs(off.min), std::fabs(off.max));
    bench::figure(
        QStringLiteral("Numeric countdown: start to time-out summary, off 25 s by (median, "
                       "worst of %1)")
            .arg(runs),
        QStringLiteral("%1 ms, %2 ms").arg(off.median, 0, 'f', 1).arg(worst, 0, 'f', 1),
        QStringLiteral("within 50 ms"));
    return 0;
}
