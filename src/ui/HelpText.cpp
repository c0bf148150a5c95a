#include "ui/HelpText.h"

#include <QStringList>

QString helpText() {
    static const QStringList lines = {
        QStringLiteral("Quil's DATA ENTRY TIMED!"),
        QString(),
        QStringLiteral("This software features Alpha, Numeric and Alpha-Numeric Test."),
        QString(),
        QStringLiteral("ALPHA TEST"),
        QStringLiteral("This will test you speed typing using letters only. Up to 120 Keystroke "
                       "for 35 seconds! If you able to finish the text 100% with zero errors, you "
                       "have the chance to pass any data entry test."),
        QString(),
        QStringLiteral("NUMERIC TEST"),
        QStringLiteral("This test enables the agent to type numbers only consisted of 20 Fields "
                       "with 80 keystrokes. You have 25 seconds to finish this test."),
        QString(),
        QStringLiteral("ALPHA-NUMERIC TEST"),
        QStringLiteral("This is the combination of alpha and numeric test to see how long can you "
                       "go with their combination."),
        QString(),
        QStringLiteral("Note: Use Tab in focusing. View Results for your records. Only admin is "
                       "allowed to delete the records save in database (located in Admin Menu)."),
    };
    return lines.join(QStringLiteral("\r\n"));
}
