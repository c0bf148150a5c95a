#include "ui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace ui {
namespace {

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

class ModalDialogs final : public Dialogs {
public:
    void message(Icon icon, const QString& text, const QString& title, QWidget* parent) override {
        QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, ownerOr(parent));
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        box.exec();
    }

    Answer retryOrCancel(Icon icon, const QString& text, const QString& title,
                         QWidget* parent) override {
        QMessageBox box(qtIcon(icon), title, text, QMessageBox::Retry | QMessageBox::Cancel,
                        ownerOr(parent));
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        return box.exec() == QMessageBox::Retry ? Answer::Retry : Answer::Cancel;
    }

    QString chooseSaveFile(const QString& title, const QString& suggestedPath,
                           QWidget* parent) override {
        // What QFileDialog::getSaveFileName shows, kept above the main window.
        QFileDialog dialog(ownerOr(parent), title, suggestedPath,
                           QStringLiteral("Text files (*.txt);;All files (*)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles().value(0);
    }
};

QString iconName(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QStringLiteral("information");
    case Icon::Exclamation:
        return QStringLiteral("exclamation");
    case Icon::Critical:
        return QStringLiteral("critical");
    }
    return {};
}

} // namespace

Dialogs& Dialogs::real() {
    static ModalDialogs dialogs;
    return dialogs;
}

void AnsweredDialogs::message(Icon icon, const QString& text, const QString& title, QWidget*) {
    write(iconName(icon) + QStringLiteral(" box"), title, text, QStringLiteral("OK"));
}

Answer AnsweredDialogs::retryOrCancel(Icon icon, const QString& text, const QString& title,
                                      QWidget*) {
    write(iconName(icon) + QStringLiteral(" question"), title, text, QStringLiteral("Cancel"));
    return Answer::Cancel;
}

QString AnsweredDialogs::chooseSaveFile(const QString& title, const QString& suggestedPath,
                                        QWidget*) {
    write(QStringLiteral("save dialog"), title, suggestedPath, QStringLiteral("no file"));
    return {};
}

void AnsweredDialogs::write(const QString& kind, const QString& title, const QString& text,
                            const QString& answer) {
    QString body = text;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    body.replace(QLatin1Char('\n'), QLatin1String("\n    "));
    const QString block = QStringLiteral("quil-data-entry: %1 \"%2\", answered %3:\n    %4\n")
                              .arg(kind, title, answer, body);
    const QByteArray bytes = block.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    std::fflush(out);
}

} // namespace ui
