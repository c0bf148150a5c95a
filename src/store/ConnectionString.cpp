#include "store/ConnectionString.h"

#include <QDir>
#include <QStringList>

namespace store {

QString connectionStringA(const QString& programFolder) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + programFolder +
           QLatin1Char('\\') + kDatabaseFileName + QStringLiteral(";Persist Security Info=False");
}

QString connectionStringB(const QString& programFolder) {
    return QStringLiteral(" Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + programFolder +
           QLatin1Char('\\') + kDatabaseFileName + QStringLiteral(";Persist Security Info=False;");
}

QString dataSourcePath(const QString& connectionString) {
    const QStringList parts = connectionString.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = part.left(equals).trimmed();
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) != 0)
            continue;
        QString value = part.mid(equals + 1).trimmed();
        if (value.isEmpty())
            return {};
        // The program folder and the file name are joined with "\" whatever the platform.
        value.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return QDir::cleanPath(value);
    }
    return {};
}

} // namespace store
