// Keystroke cost: the time to take one typed character in a Numeric entry field (the key event
// in, the text changed, the focus moved on when the field is full, the changed parts of the
// window repainted), over whole Numeric tests typed with QTest, offscreen.
//
//   quil-bench-typing [tests, default 20]
#include "BenchSupport.h"
#include "app/frmEntry.h"
#include "exam/EntryField.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

// Types one Numeric test right, character by character into whichever field has the focus.
// Each key's cost in microseconds goes to cost.
bool typeOneTest(frmEntry* main, std::vector<double>* cost) {
    main->number_Click();
    for (QLabel* reference : std::as_const(main->numericReferences)) {
        for (const QChar digit : reference->text()) {
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(static_cast<QWidget*>(nullptr), digit.toLatin1());
            // The window's next update, at once: it paints what this key changed.
            QEvent update(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(main, &update);
            cost->push_back(double(timer.nsecsElapsed()) / 1e3);
        }
    }
    bool allTyped = true;
    for (int k = 0; k < main->numericFields.size(); ++k)
        allTyped = allTyped && main->numericFields[k]->text() == main->numericReferences[k]->text();
    main->Command1_Click();
    return allTyped;
}

} // namespace

int main(int argc, char* argv[]) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const int tests = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    bench::answerBoxes();
    QTemporaryDir folder;
    if (!bench::makeProgramFolder(folder.path(), true))
        return 1;
    frmEntry* main = bench::signIn();
    // The sign-in window had the focus; it is gone, and the main window takes it.
    main->activateWindow();
    QApplication::setActiveWindow(main);
    if (!QTest::qWaitForWindowActive(main)) {
        std::fprintf(stderr, "quil-bench-typing: the main window never became active\n");
        return 1;
    }
    std::vector<double> cost;
    for (int test = 0; test < tests; ++test) {
        if (!typeOneTest(main, &cost)) {
            std::fprintf(stderr, "quil-bench-typing: the typed text did not land in its fields\n");
            return 1;
        }
    }
    const bench::Summary key = bench::summarize(cost);
    std::printf(
        "%d Numeric tests, %zu keys: median %.1f us, 99th percentile %.1f us, max %.1f us\n", tests,
        cost.size(), key.median, key.p99, key.max);
    bench::figure(
        QStringLiteral("keystroke in a Numeric field, key in to repainted (median / 99th)"),
        QStringLiteral("%1 us / %2 us").arg(key.median, 0, 'f', 0).arg(key.p99, 0, 'f', 0));
    return 0;
}
