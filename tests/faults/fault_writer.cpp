// A second program for the fault tests: stores result rows in a loop through the program's
// own store, and says on stdout which rows it has stored once each store has returned.
//   fault_writer FOLDER TAG COUNT
// Exits 0 when all rows were stored, 2 with the error on stderr when a store failed.
#include "core/ConnectionString.h"
#include "store/DataControl.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: fault_writer FOLDER TAG COUNT\n", stderr);
        return 1;
    }
    const QString tag = args[2];
    const int count = args[3].toInt();
    store::DataControl results;
    results.setConnectionString(store::connectionStringA(args[1]));
    results.setRecordSource(QStringLiteral("Select * from tblRem"));
    if (!results.Refresh()) {
        std::fprintf(stderr, "%s\n", qPrintable(results.error()));
        return 2;
    }
    // Each row is as large as a real one and names the writer and its number.
    for (int k = 0; k < count; ++k) {
        store::RecordSet* rows = results.Recordset();
        rows->AddNew();
        rows->setValue(QStringLiteral("Date"), QStringLiteral("12/10/2026"));
        rows->setValue(QStringLiteral("Name"), tag);
        rows->setValue(QStringLiteral("Test"), QStringLiteral("Numeric"));
        rows->setValue(QStringLiteral("Time"), QString::number(k));
        rows->setValue(QStringLiteral("Errors"), QStringLiteral("0"));
        rows->setValue(QStringLiteral("Accuracy"), QStringLiteral("100"));
        rows->setValue(QStringLiteral("Keystroke"), QStringLiteral("80"));
        if (!rows->Update() || !results.Refresh()) {
            std::fprintf(stderr, "%s\n", qPrintable(results.error()));
            return 2;
        }
        std::printf("stored %d\n", k);
        std::fflush(stdout);
    }
    return 0;
}
