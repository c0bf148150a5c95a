#include "app/StartUp.h"
#include "platform/RaisedIds.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Without a screen to show windows on, say so in one line instead of the toolkit's errors.
bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // Installed setgid, the program holds rights its caller lacks, and Qt guards none of them
    // (it refuses a raised user id unless allowed, and ignores a raised group): nothing the
    // caller sets may load code into it or point it at files. Qt's own options
    // (-platformpluginpath, -style, -stylesheet and more) do both, and the program takes none.
    if (platform::runsWithRaisedIds()) {
        platform::removeCallerControls();
        argc = std::min(argc, 1);
        QApplication::setSetuidAllowed(true);
    }
    if (!hasDisplay()) {
        std::fputs("quil-data-entry: no display found (DISPLAY is not set); start it from a "
                   "desktop session, or under xvfb-run\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quil's Data Entry"));
    // The main window loads first, then the sign-in window opens over it.
    app::startUp();
    return QApplication::exec();
}
