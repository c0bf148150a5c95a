#pragma once

#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "ui/Dialogs.h"
#include "ui/EndProgram.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

namespace quiltest {

struct Box {
    ui::Icon icon;
    QString text;
    QString title;
    bool question; // a Retry/Cancel question, not an OK box
};

class FixedClock final : public platform::Clock {
public:
    QString date = QStringLiteral("12/10/2026");
    QString time = QStringLiteral("1:52:44 PM");
    QString dateText() const override { return date; }
    QString timeText() const override { return time; }
    qint64 monotonicMilliseconds() const override { return elapsed; }
    // Moved on by the test; nothing moves it meanwhile.
    qint64 elapsed = 0;
};

// The random draws a window will make: values are taken in order; once the script runs out,
// every draw gives 0. draws counts every draw made.
struct RandomScript {
    std::deque<double> values;
    int draws = 0;
};

class Seams;

// The seams' stand-ins, each telling the fixture what happened.
class RecordedDialogs final : public ui::Dialogs {
public:
    explicit RecordedDialogs(Seams& seams) : seams(seams) {}
    void message(ui::Icon icon, const QString& text, const QString& title, QWidget*) override;
    ui::Answer retryOrCancel(ui::Icon icon, const QString& text, const QString& title,
                             QWidget*) override;
    QString chooseSaveFile(const QString& title, const QString& suggestedPath, QWidget*) override;

private:
    Seams& seams;
};

class RecordedEnd final : public ui::ProgramEnd {
public:
    explicit RecordedEnd(QList<int>& codes) : codes(codes) {}
    void end(int exitCode) override { codes.append(exitCode); }

private:
    QList<int>& codes;
};

class ScriptedSources final : public platform::RandomSources {
public:
    explicit ScriptedSources(std::shared_ptr<RandomScript> script) : script(std::move(script)) {}
    std::unique_ptr<platform::RandomSource> make() override;

private:
    std::shared_ptr<RandomScript> script;
};

class FixedFolder final : public platform::ProgramFolder {
public:
    explicit FixedFolder(QString folder) : folder(std::move(folder)) {}
    QString path() const override { return folder; }

private:
    QString folder;
};

// Replaces every platform seam for one test case and restores them afterwards: message boxes
// are recorded and answered OK, questions are recorded among them and answered from a script,
// save dialogs choose from a script, the end of the program is recorded, the clock is fixed,
// the random source follows a script, and the program folder is a fresh temporary folder.
class Seams {
public:
    Seams();
    ~Seams();
    Seams(const Seams&) = delete;
    Seams& operator=(const Seams&) = delete;

    QList<Box> boxes;
    QList<int> endCodes;
    FixedClock clock;
    std::shared_ptr<RandomScript> random = std::make_shared<RandomScript>();
    // Runs while a box or a question is "open", before it is answered.
    std::function<void(const Box&)> onBox;
    // The answers of the questions, in order; Cancel once the script has run out.
    std::deque<ui::Answer> answers;
    // The files the save dialogs choose, in order (an empty path cancels one); none once the
    // script has run out. Each dialog's suggested path is recorded in offeredFiles.
    std::deque<QString> chosenFiles;
    QStringList offeredFiles;

    QString folder() const { return dir.path(); }
    QString databasePath() const;
    // Creates the program folder's database with the schema code of quil-dbinit.
    void createDatabase(const QString& adminPassword = QStringLiteral("admin"));

private:
    QTemporaryDir dir;
    RecordedDialogs dialogs{*this};
    RecordedEnd end{endCodes};
    ScriptedSources sources{random};
    FixedFolder programFolder{dir.path()};
};

} // namespace quiltest
