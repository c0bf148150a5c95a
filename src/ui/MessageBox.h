#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ui {

enum class Icon { Information, Exclamation, Critical };

// Every message box of the program goes through here. The real box is modal with an OK button
// only; tests install a hook that answers it instead.
void messageBox(Icon icon, const QString& text, const QString& title, QWidget* parent = nullptr);

using MessageBoxHook = std::function<void(Icon, const QString& text, const QString& title)>;
// An empty hook restores the real box.
void setMessageBoxHook(MessageBoxHook hook);

enum class Answer { Retry, Cancel };

// A modal box that asks: Retry (the default button) or Cancel (also Escape and closing it).
// Where nobody could answer it (no screen), it is answered Cancel at once.
Answer retryOrCancel(Icon icon, const QString& text, const QString& title,
                     QWidget* parent = nullptr);

using QuestionHook = std::function<Answer(Icon, const QString& text, const QString& title)>;
// An empty hook restores the real box.
void setQuestionHook(QuestionHook hook);

} // namespace ui
