#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class Icon { Information, Exclamation, Critical };

// Every message box of the program goes through here. The real box is modal with an OK button
// only; tests install a hook that answers it instead.
void messageBox(Icon icon, const QString& text, const QString& title, QWidget* parent = nullptr);

using MessageBoxHook = std::function<void(Icon, const QString& text, const QString& title)>;
// An empty hook restores the real box.
void setMessageBoxHook(MessageBoxHook hook);

} // namespace platform
