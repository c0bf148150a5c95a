// Start-up: from the start of a new process to the sign-in window shown (its first paint done),
// offscreen. The program is quil-bench-startup-probe, the program's own start-up with a stamp at
// that moment, copied into a program folder of its own with a fresh database and the banner.
//
//   quil-bench-startup [runs, default 15]
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kWarmUps = 2;

// Seconds from just before the process starts to its stamp; negative when the run failed.
double oneStart(const QString& program) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    const double started = bench::monotonicSeconds();
    process.start(program);
    if (!process.waitForFinished(30000)) {
        std::fprintf(stderr, "the probe did not finish: %s\n", qPrintable(process.errorString()));
        process.kill();
        process.waitForFinished();
        return -1;
    }
    const QByteArray said = process.readAllStandardOutput();
    if (process.exitCode() != 0 || !said.startsWith("shown ")) {
        std::fprintf(stderr, "the probe failed (code %d): %s\n", process.exitCode(),
                     process.readAllStandardError().constData());
        return -1;
    }
    return said.mid(6).trimmed().toDouble() - started;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;
    QTemporaryDir folder;
    const QString probe = folder.filePath(QStringLiteral("quil-bench-startup-probe"));
    if (!QFile::copy(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/quil-bench-startup-probe"),
                     probe) ||
        !bench::makeProgramFolder(folder.path(), true)) {
        std::fprintf(stderr, "quil-bench-startup: cannot prepare the program folder\n");
        return 1;
    }
    std::vector<double> ms;
    for (int run = 0; run < kWarmUps + runs; ++run) {
        const double seconds = oneStart(probe);
        if (seconds < 0)
            return 1;
        if (run >= kWarmUps)
            ms.push_back(seconds * 1000);
    }
    const bench::Summary startUp = bench::summarize(ms);
    std::printf(
        "start-up to the sign-in window shown, %d runs: median %.1f ms, min %.1f, max %.1f\n", runs,
        startUp.median, startUp.min, startUp.max);
    bench::figure(QStringLiteral("start-up: process start to sign-in window shown (offscreen)"),
                  QStringLiteral("%1 ms").arg(startUp.median, 0, 'f', 0));
    return 0;
}
