#include "support/Rows.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace quiltest {

QList<QStringList> rows(const QString& databasePath, const QString& table) {
    const QString name = QStringLiteral("quiltest-rows");
    QList<QStringList> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(databasePath));
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(table)))
            qFatal("cannot read %s", qPrintable(table));
        while (query.next()) {
            QStringList row;
            for (int column = 1; column < query.record().count(); ++column)
                row.append(query.value(column).toString());
            result.append(row);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

void execute(const QString& databasePath, const QString& statement) {
    const QString name = QStringLiteral("quiltest-execute");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        if (!db.open() || !QSqlQuery(db).exec(statement))
            qFatal("cannot run \"%s\" on %s", qPrintable(statement), qPrintable(databasePath));
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace quiltest
