#include "records/AdminPassword.h"

#include "store/RecordSet.h"

namespace records {
namespace {

const QString kField = QStringLiteral("Password");

bool heldInOtherCase(store::RecordSet& passwords, const QString& typed) {
    if (!passwords.MoveFirst())
        return false;
    while (!passwords.atEOF()) {
        const QVariant stored = passwords.Value(kField);
        if (stored.isValid() && stored.toString().compare(typed, Qt::CaseInsensitive) == 0)
            return true;
        if (!passwords.MoveNext())
            return false;
    }
    return false;
}

} // namespace

PasswordCheck checkPassword(store::RecordSet& passwords, const QString& typed) {
    if (typed.isEmpty())
        return PasswordCheck::Empty;
    passwords.MoveFirst();
    if (passwords.Find(kField, typed) && !passwords.atEOF())
        return PasswordCheck::Accepted;
    return heldInOtherCase(passwords, typed) ? PasswordCheck::CaseDiffers : PasswordCheck::NotFound;
}

QString passwordEditRefusal(const QVariant& value, int maxLength) {
    const QString text = value.toString();
    if (!value.isValid() || value.isNull() || text.trimmed().isEmpty())
        return QStringLiteral("An admin password cannot be empty or blank: nobody could open "
                              "the Admin window with it.");
    if (text.size() > maxLength)
        return QStringLiteral("An admin password cannot be longer than %1 characters: the "
                              "password box takes no more.")
            .arg(maxLength);
    return {};
}

} // namespace records
