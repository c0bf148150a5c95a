#include "support/Seams.h"

#include "core/ConnectionString.h"
#include "store/Schema.h"
#include "ui/ProgramFonts.h"

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

void RecordedDialogs::message(ui::Icon icon, const QString& text, const QString& title, QWidget*) {
    const Box box{icon, text, title, false};
    seams.boxes.append(box);
    if (seams.onBox)
        seams.onBox(box);
}

ui::Answer RecordedDialogs::retryOrCancel(ui::Icon icon, const QString& text, const QString& title,
                                          QWidget*) {
    const Box box{icon, text, title, true};
    seams.boxes.append(box);
    if (seams.onBox)
        seams.onBox(box);
    return takeFirst(seams.answers, ui::Answer::Cancel);
}

QString RecordedDialogs::chooseSaveFile(const QString&, const QString& suggestedPath, QWidget*) {
    seams.offeredFiles.append(suggestedPath);
    return takeFirst(seams.chosenFiles, QString());
}

std::unique_ptr<platform::RandomSource> ScriptedSources::make() {
    return std::make_unique<ScriptedSource>(script);
}

Seams::Seams() {
    // The windows measure their texts in the faces the program loads.
    ui::loadProgramFonts();
    ui::Dialogs::replaceWith(&dialogs);
    ui::ProgramEnd::replaceWith(&end);
    platform::Clock::replaceWith(&clock);
    platform::RandomSources::replaceWith(&sources);
    platform::ProgramFolder::replaceWith(&programFolder);
}

Seams::~Seams() {
    ui::Dialogs::replaceWith(nullptr);
    ui::ProgramEnd::replaceWith(nullptr);
    platform::Clock::replaceWith(nullptr);
    platform::RandomSources::replaceWith(nullptr);
    platform::ProgramFolder::replaceWith(nullptr);
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
