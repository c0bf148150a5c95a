#pragma once

// Small helpers shared by the store's classes; not part of its public face.

#include <QSqlDatabase>
#include <QString>

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
// failure the connection is left closed.
bool openExisting(const QString& connectionName, const QString& filePath, QString* error);

// False, with an error, when the file may not be written.
bool checkWritable(const QString& filePath, QString* error);

// Which file the path names at this moment (device and inode); empty when there is none.
// An open connection keeps writing to a file that was removed or replaced under it, and in
// write-ahead mode the engine does not notice: writers compare this before they write.
QByteArray fileIdentity(const QString& filePath);
// The file a connection made by openExisting has open.
QString filePathOf(const QSqlDatabase& db);
// The error of a write refused because the file is no longer the one opened.
QString fileMovedError();

// Closes the connection and forgets it. Nothing else may still hold a QSqlDatabase or
// QSqlQuery of it.
void drop(const QString& connectionName);

} // namespace store::sqlite
