#include "app/StartUp.h"
#include "app/StoreChoice.h"
#include "app/StoreSettings.h"
#include "platform/RaisedIds.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// The one option of the program: --answer-boxes, for a run that nobody can answer, such as
// one on the offscreen platform, where a modal box would wait for ever. It changes nothing
// but the dialogs, so it is honoured even with raised ids.
constexpr const char* kAnswerBoxes = "--answer-boxes";

bool takeAnswerBoxes(int& argc, char* argv[]) {
    const auto end = std::remove_if(argv + 1, argv + argc, [](const char* argument) {
        return std::strcmp(argument, kAnswerBoxes) == 0;
    });
    const bool given = end != argv + argc;
    argc = int(end - argv);
    argv[argc] = nullptr;
    return given;
}

// Without a screen nobody sees a box: say so once, instead of leaving a run to hang unseen.
void warnOfUnseenBoxes() {
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        return;
    std::fprintf(stderr,
                 "quil-data-entry: the %s platform shows no screen: message boxes will wait for "
                 "an answer; start with %s to have them answered and written here\n",
                 qPrintable(platform), kAnswerBoxes);
}

} // namespace

int main(int argc, char* argv[]) {
    const bool answerBoxes = takeAnswerBoxes(argc, argv);
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
    ui::AnsweredDialogs answered;
    if (answerBoxes)
        ui::Dialogs::replaceWith(&answered);
    else
        warnOfUnseenBoxes();
    // A settings file may choose a database server instead of the file beside the program.
    if (!app::chooseStore(app::settingsFolders(platform::runsWithRaisedIds())))
        return 1;
    // The main window loads first, then the sign-in window opens over it.
    app::startUp();
    return QApplication::exec();
}
