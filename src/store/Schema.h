#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// The one description of the database: each table's key column "ID" (INTEGER PRIMARY KEY
// AUTOINCREMENT) followed by its named TEXT columns, in this order.
struct TableSchema {
    QString name;
    QStringList columns; // named columns after ID
};
const QList<TableSchema>& schema();

// Creates a new database file at filePath with the four tables, WAL journal mode and one
// tblAdm row holding adminPassword. Refuses to touch an existing file. On failure returns
// false, sets *error and leaves no file behind.
bool createDatabase(const QString& filePath, const QString& adminPassword, QString* error);

} // namespace store
