#include "ui/EndProgram.h"

#include <QSqlDatabase>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace ui {
namespace {

class ProcessEnd final : public ProgramEnd {
public:
    void end(int exitCode) override {
        const QStringList names = QSqlDatabase::connectionNames();
        for (const QString& name : names)
            QSqlDatabase::database(name, false).close();
        std::fflush(stdout);
        std::fflush(stderr);
        // Leave at once: no window handler may run after this point, and no global destructor
        // may run while windows still exist.
        std::_Exit(exitCode);
    }
};

} // namespace

ProgramEnd& ProgramEnd::real() {
    static ProcessEnd end;
    return end;
}

} // namespace ui
