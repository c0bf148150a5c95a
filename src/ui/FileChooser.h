#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ui {

// Asks for a file to save to: a modal save dialog that starts at suggestedPath (a folder and
// a file name) and confirms overwriting. The chosen path, or an empty string when the dialog
// was cancelled. Where nobody could answer it (no screen), no file is chosen.
QString chooseSaveFile(const QString& title, const QString& suggestedPath,
                       QWidget* parent = nullptr);

using FileChooserHook = std::function<QString(const QString& title, const QString& suggestedPath)>;
// An empty hook restores the real dialog.
void setFileChooserHook(FileChooserHook hook);

} // namespace ui
