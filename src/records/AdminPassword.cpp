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
    return heldInOtherCase(passwords, typed) ? PasswordCheck::CaseDiffers
                                             : PasswordCheck::NotFound;
}

} // namespace records
