// Memory: the peak resident size of the program after start-up and after one of each test and
// the opening of every window, offscreen unless QT_QPA_PLATFORM says otherwise. Each run is a fresh
// process (this program started again with --one-run); the figure is the median over the runs.
//
//   quil-bench-memory [runs, default 5]
#include "BenchSupport.h"
#include "agents/frmAgent.h"
#include "agents/frmLog.h"
#include "app/frmEntry.h"
#include "exam/EntryField.h"
#include "records/frmAdm.h"
#include "records/frmMn.h"
#include "records/frmRemarks.h"
#include "ui/Windows.h"
#include "ui/frmAbout.h"
#include "ui/frmTu.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

const QString kOneRun = QStringLiteral("--one-run");

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void takeEachTest(frmEntry* main) {
    main->number_Click();
    main->Command1_Click(); // nothing typed: the "Complete the Entry" notice
    settle();
    for (int k = 0; k < main->numericFields.size(); ++k)
        QTest::keyClicks(main->numericFields[k], main->numericReferences[k]->text());
    main->Command1_Click();
    main->alpha_Click();
    for (int tick = 0; tick < 35; ++tick)
        main->Timer5_Timer();
    main->an_Click();
    for (int tick = 0; tick < 40; ++tick)
        main->Timer5_Timer();
    settle();
}

void openEveryWindow(frmEntry* main) {
    main->sa_Click();
    Windows::find<frmLog>()->Command4_Click();
    main->new__Click();
    Windows::find<frmAgent>()->Command1_Click();
    main->result_Click();
    Windows::find<frmRemarks>()->Command1_Click();
    main->sssss_Click();
    Windows::find<frmMn>()->Command1_Click();
    main->amd_Click();
    frmAdm* admin = Windows::find<frmAdm>();
    admin->Text1->setText(QStringLiteral("admin"));
    admin->Command1_Click();
    admin->Option2_Click();
    settle();
    admin->Command3_Click();
    main->About_Click();
    settle();
    if (frmAbout* about = Windows::find<frmAbout>())
        about->close();
    main->help_Click();
    settle();
}

// One run: prints "peak <after start-up KiB> <after everything KiB>".
int oneRun(int argc, char* argv[]) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    bench::answerBoxes();
    QTemporaryDir folder;
    if (!bench::makeProgramFolder(folder.path(), true) ||
        !bench::fillResults(QDir(folder.path()).filePath(QStringLiteral("dbTWRes.mdb")), 100))
        return 1;
    frmEntry* main = bench::signIn();
    main->activateWindow();
    QApplication::setActiveWindow(main);
    if (!QTest::qWaitForWindowActive(main))
        return 1;
    settle();
    const long afterStart = bench::peakResidentKiB();
    takeEachTest(main);
    openEveryWindow(main);
    if (bench::countRows(QDir(folder.path()).filePath(QStringLiteral("dbTWRes.mdb")),
                         QStringLiteral("tblRem")) != 100 + 3) {
        std::fprintf(stderr, "quil-bench-memory: the three tests did not store their rows\n");
        return 1;
    }
    std::printf("peak %ld %ld\n", afterStart, bench::peakResidentKiB());
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == kOneRun)
        return oneRun(argc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    std::vector<double> afterStart, afterAll;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {kOneRun});
        const QList<QByteArray> said = child.waitForFinished(120000)
                                           ? child.readAllStandardOutput().trimmed().split(' ')
                                           : QList<QByteArray>{};
        if (child.exitCode() != 0 || said.size() != 3 || said[0] != "peak") {
            std::fprintf(stderr, "quil-bench-memory: run %d failed\n", run + 1);
            return 1;
        }
        afterStart.push_back(said[1].toDouble() / 1024);
        afterAll.push_back(said[2].toDouble() / 1024);
    }
    const double start = bench::summarize(afterStart).median;
    const double all = bench::summarize(afterAll).median;
    std::printf("peak resident size, median of %d runs: %.1f MiB after start-up, %.1f MiB after "
                "each test and every window\n",
                runs, start, all);
    // Each run is offscreen unless QT_QPA_PLATFORM says otherwise.
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"));
    bench::figure(QStringLiteral("peak resident size: after start-up / after each test and every "
                                 "window (%1)")
                      .arg(platform),
                  QStringLiteral("%1 MiB / %2 MiB").arg(start, 0, 'f', 1).arg(all, 0, 'f', 1));
    return 0;
}
