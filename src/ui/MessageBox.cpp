#include "ui/MessageBox.h"

#include "ui/Headless.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {
namespace {

MessageBoxHook& hook() {
    static MessageBoxHook h;
    return h;
}

QuestionHook& questionHook() {
    static QuestionHook h;
    return h;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QWidget* ownerOr(QWidget* parent) {
    return parent ? parent : QApplication::activeWindow();
}

} // namespace

void messageBox(Icon icon, const QString& text, const QString& title, QWidget* parent) {
    if (hook()) {
        hook()(icon, text, title);
        return;
    }
    // Answered at once where nobody could answer it; reports that matter also go to stderr.
    if (headless())
        return;
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, ownerOr(parent));
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

void setMessageBoxHook(MessageBoxHook h) {
    hook() = std::move(h);
}

Answer retryOrCancel(Icon icon, const QString& text, const QString& title, QWidget* parent) {
    if (questionHook())
        return questionHook()(icon, text, title);
    if (headless())
        return Answer::Cancel;
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Retry | QMessageBox::Cancel,
                    ownerOr(parent));
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return box.exec() == QMessageBox::Retry ? Answer::Retry : Answer::Cancel;
}

void setQuestionHook(QuestionHook h) {
    questionHook() = std::move(h);
}

} // namespace ui
