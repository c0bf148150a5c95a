// What differs between the Alpha and the Alpha-Numeric test, and which record a draw selects.
#include "core/WordTestKind.h"

namespace exam {

const WordTestKind kAlphaTest{
    {QStringLiteral("Department:"), QStringLiteral("Coordinator:"), QStringLiteral("Dean:")},
    QStringLiteral("alpha test:\r\ndescription: 12 fields x random entry = 120 keystrokes\r\n"
                   "duration: 35 seconds"),
    QStringLiteral("35"),
    QStringLiteral("alpha"),
    kAlphaPool};

const WordTestKind kAlphaNumericTest{
    {QStringLiteral("Contact:"), QStringLiteral("Address:"), QStringLiteral("Email:")},
    QStringLiteral("alpha-Numeric test:\r\ndescription: 12 fields x random entry = 140 "
                   "keystrokes\r\nduration: 40 seconds"),
    QStringLiteral("40"),
    QStringLiteral("alpha numeric"),
    kAlphaNumericPool};

const WordRecord& recordForDraw(const WordPool& pool, const QString& draw) {
    for (int record = 0; record < 4; ++record)
        if (draw == QString::number(record))
            return pool[record];
    return pool[4];
}

} // namespace exam
