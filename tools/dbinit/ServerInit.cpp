#include "dbinit/ServerInit.h"

#include "store/Server.h"
#include "store/ServerSchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace dbinit {
namespace {

const QString kConnection = QStringLiteral("quil-dbinit-server");

std::optional<QString> currentDatabase(const QSqlDatabase& db, QString* error) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT current_database()")) || !query.next()) {
        *error = store::serverErrorText(query.lastError());
        return std::nullopt;
    }
    return query.value(0).toString();
}

QString scriptText(const QString& shown, const QString& database, const QString& adminPassword,
                   bool passwordGenerated) {
    QStringList lines{QStringLiteral("-- Created the four tables of Quil's Data Entry on ") +
                      shown};
    if (passwordGenerated)
        lines << QStringLiteral("-- Admin password: ") + adminPassword;
    lines << QStringLiteral("--")
          << QStringLiteral("-- The workstations' role: every seat signs in as %1, which may do "
                            "what the program")
                 .arg(store::kSeatRole)
          << QStringLiteral("-- does and nothing more. Make it once, with a password of its own, "
                            "then grant:")
          << QStringLiteral("--   CREATE ROLE %1 LOGIN PASSWORD '...';").arg(store::kSeatRole)
          << store::seatGrants(database);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool create(const store::ServerUri& server, const QString& adminPassword, bool passwordGenerated,
            QString* script, QString* error) {
    const QString shown = store::displayText(server);
    QString reason;
    if (!store::openServer(kConnection, server, &reason)) {
        *error = QStringLiteral("cannot reach %1: %2").arg(shown, reason);
        return false;
    }
    const QSqlDatabase db = QSqlDatabase::database(kConnection, false);
    const std::optional<QString> database = currentDatabase(db, &reason);
    if (!database || !store::createServerTables(db, adminPassword, &reason)) {
        *error = QStringLiteral("%1: %2").arg(shown, reason);
        return false;
    }
    *script = scriptText(shown, *database, adminPassword, passwordGenerated);
    return true;
}

} // namespace

std::optional<store::ServerUri> serverFromArgument(const QString& text, QString* error) {
    QString reason;
    std::optional<store::ServerUri> server = store::parseServerUri(text, &reason);
    if (!server) {
        *error = QStringLiteral("--server: ") + reason;
        return std::nullopt;
    }
    if (!server->password.isEmpty() ||
        !store::option(*server, QStringLiteral("sslpassword")).isNull()) {
        *error = QStringLiteral("--server: the URI holds a password, which the process list "
                                "shows to every user of this machine; leave it out and put it "
                                "in ~/.pgpass or in a file named by PGPASSFILE, where libpq "
                                "finds it");
        return std::nullopt;
    }
    return server;
}

bool createOnServer(const store::ServerUri& server, const QString& adminPassword,
                    bool passwordGenerated, QString* script, QString* error) {
    const bool created = create(server, adminPassword, passwordGenerated, script, error);
    QSqlDatabase::database(kConnection, false).close();
    QSqlDatabase::removeDatabase(kConnection);
    return created;
}

} // namespace dbinit
