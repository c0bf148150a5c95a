#include "ui/FileChooser.h"

#include "ui/Headless.h"

#include <QApplication>
#include <QFileDialog>

namespace ui {
namespace {

FileChooserHook& hook() {
    static FileChooserHook h;
    return h;
}

} // namespace

QString chooseSaveFile(const QString& title, const QString& suggestedPath, QWidget* parent) {
    if (hook())
        return hook()(title, suggestedPath);
    if (headless())
        return {};
    // What QFileDialog::getSaveFileName shows, kept above the main window, which stays on top.
    QFileDialog dialog(parent ? parent : QApplication::activeWindow(), title, suggestedPath,
                       QStringLiteral("Text files (*.txt);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void setFileChooserHook(FileChooserHook h) {
    hook() = std::move(h);
}

} // namespace ui
