// Storing one scored test's result row (add, update, refresh of the main window's results view)
// with 100 rows in tblRem and with 1,000,000 rows: the medians and their ratio (goal: close
// to 1).
//
//   quil-bench-store [rows of the big table, default 1000000] [stores per size, default 51]
#include "BenchSupport.h"
#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "exam/ResultRecord.h"
#include "ui/Counter.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// The median time of one result row stored over a results table of the given size; negative
// when the table cannot be made or a row is not stored.
double storeMedianMs(int rows, int stores) {
    QTemporaryDir folder;
    const QString database = QDir(folder.path()).filePath(QStringLiteral("dbTWRes.mdb"));
    QElapsedTimer filling;
    filling.start();
    if (!bench::makeProgramFolder(folder.path(), false) || !bench::fillResults(database, rows))
        return -1;
    std::printf("tblRem with %d rows (filled in %.1f s)\n", rows, double(filling.elapsed()) / 1000);

    frmEntry* main = Windows::load<frmEntry>();
    main->Timer1->stop();
    main->Label21->setText(QStringLiteral("Bench M. Agent"));
    main->Label23->setText(QStringLiteral("Numeric"));
    main->error->setText(QStringLiteral("2"));
    main->correct->setText(QStringLiteral("97.1"));
    main->ks->setText(QStringLiteral("72"));
    std::vector<double> ms;
    bool stored = true;
    for (int i = 0; i < stores && stored; ++i) {
        QElapsedTimer timer;
        timer.start();
        stored = exam::summariseAndStore(
            main, QStringLiteral("Finish!"), [main] { return main->currentResult(); },
            *main->adosearch);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    delete main;
    if (!stored) {
        std::fprintf(stderr, "quil-bench-store: a result row was not stored\n");
        return -1;
    }
    const bench::Summary s = bench::summarize(ms);
    std::printf("  store one result row, %d times: median %.3f ms, min %.3f, max %.3f\n", stores,
                s.median, s.min, s.max);
    return s.median;
}

} // namespace

int main(int argc, char* argv[]) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const int big = argc > 1 ? std::max(101, QString::fromLocal8Bit(argv[1]).toInt()) : 1000000;
    const int stores = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 51;
    bench::answerBoxes();
    const double small = storeMedianMs(100, stores);
    const double large = storeMedianMs(big, stores);
    if (small < 0 || large < 0)
        return 1;
    std::printf("ratio %d rows / 100 rows: %.2f\n", big, large / small);
    bench::figure(
        QStringLiteral("store a result row: 100 rows / %1 rows in tblRem (median)").arg(big),
        QStringLiteral("%1 ms / %2 ms = %3 x")
            .arg(small, 0, 'f', 2)
            .arg(large, 0, 'f', 2)
            .arg(large / small, 0, 'f', 2),
        QStringLiteral("close to 1"));
    return 0;
}
