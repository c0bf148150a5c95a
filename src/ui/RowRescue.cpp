#include "ui/RowRescue.h"

#include "store/DataControl.h"
#include "ui/ErrorPolicy.h"
#include "ui/FileChooser.h"
#include "ui/MessageBox.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ui {
namespace {

const QString kTitle = QStringLiteral("Quil's Data Entry");

bool userRetries(const FinishedRow& row, const QString& reason) {
    const QString text =
        QStringLiteral("The %1 could not be stored.\n\nReason: %2\n\nChoose Retry to try to store "
                       "it again, or Cancel to save it to a file instead.")
            .arg(row.name, reason.isEmpty() ? QStringLiteral("(no error text)") : reason);
    return ui::retryOrCancel(ui::Icon::Exclamation, text, kTitle) == ui::Answer::Retry;
}

QString copyText(const FinishedRow& row, const QString& databaseFile, const QString& reason) {
    return QStringLiteral("Quil's Data Entry could not store this %1 in its database.\n\n%2\n\n"
                          "Database: %3\nReason: %4\n")
        .arg(row.name, row.fields, databaseFile, reason);
}

QString suggestedPath(const FinishedRow& row) {
    const QString moment = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QDir::home().filePath(QStringLiteral("%1-%2.txt").arg(row.fileStem, moment));
}

// Replaces the file whole or leaves it as it was: a half-written copy would look complete.
bool writeCopy(const QString& path, const QString& databaseFile, const QString& text,
               QString* error) {
    const QFileInfo chosen(path);
    if (chosen.exists() &&
        chosen.canonicalFilePath() == QFileInfo(databaseFile).canonicalFilePath()) {
        *error = QStringLiteral("it is the database file itself");
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

// The path the row was saved to, or an empty string when the user chose no file.
QString saveToChosenFile(const FinishedRow& row, const QString& databaseFile,
                         const QString& reason) {
    const QString text = copyText(row, databaseFile, reason);
    const QString title = QStringLiteral("Save the %1 that could not be stored").arg(row.name);
    const QString suggested = suggestedPath(row);
    for (;;) {
        const QString path = ui::chooseSaveFile(title, suggested);
        if (path.isEmpty())
            return {};
        QString error;
        if (writeCopy(path, databaseFile, text, &error))
            return path;
        ui::messageBox(
            ui::Icon::Exclamation,
            QStringLiteral("The %1 could not be saved.\n\nFile: %2\nReason: %3\n\nChoose "
                           "another file, or cancel to go on without one.")
                .arg(row.name, path, error),
            kTitle);
    }
}

} // namespace

bool storeOrRescue(store::DataControl& control, const FinishedRow& row, FirstAttempt first,
                   const std::function<bool()>& store) {
    if ((first == FirstAttempt::Store || control.Refresh()) && store())
        return true;
    // What a failure leaves depends on the step: a failed Refresh has closed the connections,
    // a failed Update left its set in add mode. Refreshed first, every retry starts alike (and
    // a replaced file just fails again).
    while (userRetries(row, control.error())) {
        if (control.Refresh() && store())
            return true;
    }
    const QString savedTo = saveToChosenFile(row, control.databaseFile(), control.error());
    return notCaught(false, control.databaseFile(), control.error(), row.fields, savedTo);
}

} // namespace ui
