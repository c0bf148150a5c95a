#include "support/Seams.h"

#include "core/ConnectionString.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "store/Schema.h"
#include "ui/EndProgram.h"
#include "ui/FileChooser.h"

#include <QDir>
#include <QTest>

namespace quiltest {
namespace {
class ScriptedSource final : public platform::RandomSource {
public:
    explicit ScriptedSource(std::shared_ptr<RandomScript> s) : script(std::move(s)) {}
    double next() override {
        ++script->draws;
        if (script->values.empty())
            return 0.0;
        const double v = script->values.front();
        script->values.pop_front();
        return v;
    }

private:
    std::shared_ptr<RandomScript> script;
};

template <typename T> T takeFirst(std::deque<T>& script, T whenEmpty) {
    if (script.empty())
        return whenEmpty;
    T first = std::move(script.front());
    script.pop_front();
    return first;
}
} // namespace

Seams::Seams() {
    ui::setMessageBoxHook([this](ui::Icon icon, const QString& text, const QString& title) {
        const Box box{icon, text, title, false};
        boxes.append(box);
        if (onBox)
            onBox(box);
    });
    ui::setQuestionHook([this](ui::Icon icon, const QString& text, const QString& title) {
        const Box box{icon, text, title, true};
        boxes.append(box);
        if (onBox)
            onBox(box);
        return takeFirst(answers, ui::Answer::Cancel);
    });
    ui::setFileChooserHook([this](const QString&, const QString& suggestedPath) {
        offeredFiles.append(suggestedPath);
        return takeFirst(chosenFiles, QString());
    });
    ui::setEndProgramHook([this](int code) { endCodes.append(code); });
    platform::setClock(&clock);
    platform::setRandomSourceFactory(
        [script = random] { return std::make_unique<ScriptedSource>(script); });
    platform::setProgramFolder(dir.path());
}

Seams::~Seams() {
    ui::setMessageBoxHook({});
    ui::setQuestionHook({});
    ui::setFileChooserHook({});
    ui::setEndProgramHook({});
    platform::setClock(nullptr);
    platform::setRandomSourceFactory({});
    platform::setProgramFolder({});
}

QString Seams::databasePath() const {
    return QDir(dir.path()).filePath(store::kDatabaseFileName);
}

void Seams::createDatabase(const QString& adminPassword) {
    QString error;
    if (!store::createDatabase(databasePath(), adminPassword, &error))
        QFAIL(qPrintable(QStringLiteral("cannot create the test database: ") + error));
}

} // namespace quiltest
