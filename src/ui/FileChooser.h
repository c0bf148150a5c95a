#pragma once

#include "ui/Dialogs.h"

namespace ui {

// Asks for a file to save to, starting at suggestedPath (a folder and a file name): the chosen
// path, or an empty string when the dialog was cancelled.
inline QString chooseSaveFile(const QString& title, const QString& suggestedPath,
                              QWidget* parent = nullptr) {
    return Dialogs::instance().chooseSaveFile(title, suggestedPath, parent);
}

} // namespace ui
