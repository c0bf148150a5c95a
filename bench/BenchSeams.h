#pragma once

#include "platform/ProgramFolder.h"
#include "ui/Dialogs.h"
#include "ui/EndProgram.h"

#include <cstdio>
#include <functional>
#include <utility>

namespace bench {

// Answers every dialog at once (OK, Cancel, no file) and shows each message box to onMessage.
class AnsweringDialogs final : public ui::Dialogs {
public:
    explicit AnsweringDialogs(std::function<void(ui::Icon, const QString&)> onMessage)
        : onMessage(std::move(onMessage)) {}
    void message(ui::Icon icon, const QString& text, const QString&, QWidget*) override {
        onMessage(icon, text);
    }
    ui::Answer retryOrCancel(ui::Icon icon, const QString& text, const QString&,
                             QWidget*) override {
        onMessage(icon, text);
        return ui::Answer::Cancel;
    }
    QString chooseSaveFile(const QString&, const QString&, QWidget*) override { return {}; }

private:
    std::function<void(ui::Icon, const QString&)> onMessage;
};

// Says where the program would have ended, and lets the measurement go on.
class ReportedEnd final : public ui::ProgramEnd {
public:
    void end(int exitCode) override {
        std::fprintf(stderr, "the program would have ended here with code %d\n", exitCode);
    }
};

// Makes folder the program folder from now on.
inline void useProgramFolder(const QString& folder) {
    class FixedFolder final : public platform::ProgramFolder {
    public:
        QString folder;
        QString path() const override { return folder; }
    };
    static FixedFolder fixed;
    fixed.folder = folder;
    platform::ProgramFolder::replaceWith(&fixed);
}

} // namespace bench
