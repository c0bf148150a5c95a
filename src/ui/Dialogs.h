#pragma once

#include "platform/Seam.h"

#include <QString>
#include <cstdio>

class QWidget;

namespace ui {

enum class Icon { Information, Exclamation, Critical };
enum class Answer { Retry, Cancel };

// The dialogs that wait for a person to answer them: message boxes, Retry/Cancel questions and
// the save-file dialog. Every one of the program goes through here.
class Dialogs : public platform::Seam<Dialogs> {
public:
    virtual ~Dialogs() = default;
    // A box with an OK button only.
    virtual void message(Icon icon, const QString& text, const QString& title, QWidget* parent) = 0;
    // A box that asks: Retry (the default button) or Cancel (also Escape and closing it).
    virtual Answer retryOrCancel(Icon icon, const QString& text, const QString& title,
                                 QWidget* parent) = 0;
    // A save dialog that starts at suggestedPath (a folder and a file name) and confirms
    // overwriting: the chosen path, or an empty string when nothing was chosen.
    virtual QString chooseSaveFile(const QString& title, const QString& suggestedPath,
                                   QWidget* parent) = 0;

    // Qt's modal dialogs, kept above the main window (which stays on top), owned by the given
    // parent or else by the active window.
    static Dialogs& real();
};

// The dialogs of a run that nobody can answer, such as one on a platform without a screen, where
// a modal dialog would wait for ever: each is answered at once (OK, Cancel, no file) and written
// to out, so that none is answered unseen.
class AnsweredDialogs final : public Dialogs {
public:
    explicit AnsweredDialogs(std::FILE* out = stderr) : out(out) {}
    void message(Icon icon, const QString& text, const QString& title, QWidget* parent) override;
    Answer retryOrCancel(Icon icon, const QString& text, const QString& title,
                         QWidget* parent) override;
    QString chooseSaveFile(const QString& title, const QString& suggestedPath,
                           QWidget* parent) override;

private:
    void write(const QString& kind, const QString& title, const QString& text,
               const QString& answer);
    std::FILE* out;
};

} // namespace ui
