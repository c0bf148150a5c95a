#pragma once

// Small helpers shared by the store's classes; not part of its public face.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlError;

namespace store::sqlite {

// A connection name no other connection of this process uses.
QString uniqueConnectionName(const QString& purpose);

// The engine's own words for an error, falling back to Qt's when the engine said nothing.
QString errorText(const QSqlError& error);

// name as a double-quoted SQL identifier.
QString quoted(const QString& name);

// Opens the existing file at filePath read-write on the connection named connectionName
// (added when needed), never creating it, and prepares the connection: every commit reaches
// the disk before it returns. A file that does not use the rollback journal is refused. On
// failure the connection is left closed. The file guard checks the file first and knows it
// from then on, until close.
bool openExisting(const QString& connectionName, const QString& filePath, QString* error);

// False, with an error, when the file may not be written.
bool checkWritable(const QString& filePath, QString* error);

// The file a connection made by openExisting has open.
QString filePathOf(const QSqlDatabase& db);

// The table's column names in their own spelling; empty, with *error, when there is no such
// table.
QStringList columnNames(const QSqlDatabase& db, const QString& table, QString* error);

// Closes the connection (it stays known by its name).
void close(const QString& connectionName);

// Closes the connection and forgets it. Nothing else may still hold a QSqlDatabase or
// QSqlQuery of it.
void drop(const QString& connectionName);

} // namespace store::sqlite
