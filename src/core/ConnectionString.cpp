#include "core/ConnectionString.h"

namespace store {
namespace {

QString databaseFileIn(const QString& programFolder) {
    return programFolder.isEmpty() ? QString() : QDir(programFolder).filePath(kDatabaseFileName);
}

} // namespace

Connection connectionStringA(const QString& programFolder) {
    return {QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + programFolder +
                QLatin1Char('\\') + kDatabaseFileName +
                QStringLiteral(";Persist Security Info=False"),
            databaseFileIn(programFolder)};
}

Connection connectionStringB(const QString& programFolder) {
    return {QStringLiteral(" Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + programFolder +
                QLatin1Char('\\') + kDatabaseFileName +
                QStringLiteral(";Persist Security Info=False;"),
            databaseFileIn(programFolder)};
}

} // namespace store
