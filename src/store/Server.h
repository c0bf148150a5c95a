#pragma once

#include "core/ServerUri.h"

#include <QString>

class QSqlDatabase;
class QSqlError;

namespace store {

// Qt's driver for PostgreSQL servers (Debian: libqt6sql6-psql).
inline const QString kServerDriver = QStringLiteral("QPSQL");

// How long a connection waits for a server that does not answer, unless the URI's
// connect_timeout says otherwise.
constexpr int kConnectSeconds = 10;

// Gives db (a QPSQL connection) the server's host, port, database, user and password, and
// its other parameters as connection options. Without a password in the URI, libpq takes it
// from ~/.pgpass or the file PGPASSFILE names.
void configureServer(QSqlDatabase& db, const ServerUri& server);

// Opens a connection to the server under connectionName (added when needed). On failure
// returns false with the engine's reason in *error, and a word on what it likely means when
// the engine's own words would not tell; the connection is then left closed.
bool openServer(const QString& connectionName, const ServerUri& server, QString* error);

// Opens a connection to the server and closes it again; false with the reason as openServer.
bool reachServer(const ServerUri& server, QString* error);

// The engine's words for an error on a server connection, blank lines and tabs dropped.
QString serverErrorText(const QSqlError& error);

} // namespace store
