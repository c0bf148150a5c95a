#include "ui/EndProgram.h"

#include <QSqlDatabase>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace ui {
namespace {
EndProgramHook& hook() {
    static EndProgramHook h;
    return h;
}
} // namespace

void endProgram(int exitCode) {
    if (hook()) {
        hook()(exitCode);
        return;
    }
    const QStringList names = QSqlDatabase::connectionNames();
    for (const QString& name : names)
        QSqlDatabase::database(name, false).close();
    std::fflush(stdout);
    std::fflush(stderr);
    // Leave at once: no window handler may run after this point, and no global destructor
    // may run while windows still exist.
    std::_Exit(exitCode);
}

void setEndProgramHook(EndProgramHook h) {
    hook() = std::move(h);
}

} // namespace ui
