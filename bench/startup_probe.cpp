// The program's own start-up, as src/main.cpp does it, with one addition: when the sign-in window
// has painted for the first time, the moment (CLOCK_MONOTONIC, shared by all processes) is
// printed and the program ends. quil-bench-startup starts it and subtracts its own start time.
#include "BenchSupport.h"
#include "agents/frmLog.h"
#include "app/StartUp.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

// Prints the moment once the first paint of the watched window is done.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            QTimer::singleShot(0, qApp, [] {
                std::printf("shown %.9f\n", bench::monotonicSeconds());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool seen = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quil's Data Entry"));
    FirstPaint probe;
    app::startUp();
    frmLog* signIn = Windows::find<frmLog>();
    if (!signIn)
        return 1;
    signIn->installEventFilter(&probe);
    return QApplication::exec();
}
