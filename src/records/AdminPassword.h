#pragma once

#include <QString>
#include <QVariant>

namespace store {
class RecordSet;
}

namespace records {

// What the admin window's Ok makes of the typed text.
enum class PasswordCheck {
    Accepted,    // a row of the password table holds exactly the typed text
    Empty,       // nothing was typed
    NotFound,    // no row holds it, not even in other letter case, or the table cannot be read
    CaseDiffers, // rows hold it only in other letter case
};

// Checks typed against every row of the password table's record set: a search for exactly
// the typed text (bound as a value, so quotes are ordinary characters), then a look for the
// same text in other letter case, which only decides how the refusal goes on. Failing steps
// are passed over. The typed text never goes into an error text.
PasswordCheck checkPassword(store::RecordSet& passwords, const QString& typed);

// Why an edit of the password table must not store value, or an empty text when it may: a
// password that cannot be typed into the password box (none, blank, or longer than its
// maxLength) would lock every admin out.
QString passwordEditRefusal(const QVariant& value, int maxLength);

} // namespace records
