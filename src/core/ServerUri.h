#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace store {

// A PostgreSQL server as a libpq connection URI names it:
//   postgresql://[user[:password]@][host][:port][/dbname][?param=value&...]
// (also postgres://), every part percent-decoded. The query's host, port, dbname, user and
// password fill those parts; every other parameter is kept for libpq as it is.
struct ServerUri {
    QString user;     // empty: libpq's default (the system user)
    QString password; // empty: libpq looks in ~/.pgpass or PGPASSFILE
    QString host;     // a name, an address (IPv6 without brackets), or a socket folder ("/...")
    int port = -1;    // -1: libpq's default
    QString databaseName;
    QList<std::pair<QString, QString>> options; // the other libpq parameters, in their order
};

// nullopt with *error set when text is no such URI. No error text quotes a part of the URI
// but a parameter's name: none shows a password, wherever it was put by mistake.
std::optional<ServerUri> parseServerUri(const QString& text, QString* error);

// The server as messages name it, without its password or any parameter's value:
// "postgresql://agent@db.example:5432/quil", "postgresql:///quil?host=/run/quil".
QString displayText(const ServerUri& server);

// The other parameters as libpq keyword text ("sslmode='require' connect_timeout='5'") for
// QSqlDatabase::setConnectOptions; each value is quoted, and \ and ' in it escaped.
QString connectOptions(const ServerUri& server);

// The value of the parameter named, or a null string.
QString option(const ServerUri& server, const QString& name);

} // namespace store
