#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

namespace store {

// The workstations' role in the GRANT statements, unless another is named.
inline const QString kSeatRole = QStringLiteral("quil_seat");

// The four tables that already stand in the server database's schema public (a table, a
// view or any other relation of that name); nullopt with *error when it cannot be asked.
std::optional<QStringList> existingServerTables(const QSqlDatabase& db, QString* error);

// Creates the four tables in the schema public of the open server connection, and one tblAdm
// row holding adminPassword, in one transaction: on failure nothing is left, false is
// returned and *error holds the engine's reason. Refused when any of the tables stands.
bool createServerTables(const QSqlDatabase& db, const QString& adminPassword, QString* error);

// The statements that let role do on the database what a workstation does, and nothing more:
// connect, read the four tables, and add, edit and delete as the windows do (each table's
// SeatRights). Column by column where the windows touch only some: a seat never writes a
// key, and edits only the columns the admin window edits.
QStringList seatGrants(const QString& database, const QString& role = kSeatRole);

// name as a double-quoted SQL identifier.
QString quotedIdentifier(const QString& name);

} // namespace store
