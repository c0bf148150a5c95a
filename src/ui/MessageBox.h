#pragma once

#include "ui/Dialogs.h"

namespace ui {

// A message box with an OK button only; it returns once it has been answered.
inline void messageBox(Icon icon, const QString& text, const QString& title,
                       QWidget* parent = nullptr) {
    Dialogs::instance().message(icon, text, title, parent);
}

// A box that asks: Retry (the default button) or Cancel (also Escape and closing it).
inline Answer retryOrCancel(Icon icon, const QString& text, const QString& title,
                            QWidget* parent = nullptr) {
    return Dialogs::instance().retryOrCancel(icon, text, title, parent);
}

} // namespace ui
