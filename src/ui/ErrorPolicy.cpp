#include "ui/ErrorPolicy.h"

#include "store/DataControl.h"
#include "ui/EndProgram.h"
#include "ui/MessageBox.h"

#include <cstdio>

namespace ui {
namespace {

QString report(const QString& databaseFile, const QString& error, const QString& unsaved,
               const QString& savedTo) {
    QString text = QStringLiteral("The database could not be used, so Quil's Data Entry must "
                                  "end.\n\nDatabase: %1\nError: %2")
                       .arg(databaseFile.isEmpty() ? QStringLiteral("(none named)") : databaseFile,
                            error.isEmpty() ? QStringLiteral("(no error text)") : error);
    if (!unsaved.isEmpty())
        text += QStringLiteral("\n\nNot stored:\n") + unsaved;
    if (!savedTo.isEmpty())
        text += QStringLiteral("\n\nSaved to: ") + savedTo;
    return text;
}

} // namespace

bool notCaught(bool ok, const store::DataControl& control, const QString& unsaved) {
    if (ok)
        return true;
    return notCaught(ok, control.databaseFile(), control.error(), unsaved);
}

bool notCaught(bool ok, const QString& databaseFile, const QString& error, const QString& unsaved,
               const QString& savedTo) {
    if (ok)
        return true;
    const QString text = report(databaseFile, error, unsaved, savedTo);
    // Written first: if the box cannot be shown, the reason still reaches a log.
    const QByteArray block = "quil-data-entry: " + text.toLocal8Bit() + '\n';
    std::fwrite(block.constData(), 1, size_t(block.size()), stderr);
    std::fflush(stderr);
    ui::messageBox(ui::Icon::Critical, text, QStringLiteral("Quil's Data Entry"));
    ui::endProgram(1);
    return false;
}

} // namespace ui
