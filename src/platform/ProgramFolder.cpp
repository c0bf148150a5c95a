#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace platform {
namespace {
class RunningProgramFolder final : public ProgramFolder {
public:
    QString path() const override { return QCoreApplication::applicationDirPath(); }
};
} // namespace

ProgramFolder& ProgramFolder::real() {
    static RunningProgramFolder folder;
    return folder;
}

} // namespace platform
