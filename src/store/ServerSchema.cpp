#include "store/ServerSchema.h"

#include "store/Schema.h"
#include "store/Server.h"

#include <QSqlError>
#include <QSqlQuery>

namespace store {
namespace {

bool fail(QString* error, const QString& text) {
    *error = text;
    return false;
}

bool run(QSqlQuery& query, const QString& sql, QString* error) {
    return query.exec(sql) || fail(error, serverErrorText(query.lastError()));
}

QString columnList(const QStringList& columns) {
    QStringList quoted;
    for (const QString& column : columns)
        quoted << quotedIdentifier(column);
    return quoted.join(QStringLiteral(", "));
}

bool fillServer(const QSqlDatabase& db, const QString& adminPassword, QString* error) {
    QSqlQuery query(db);
    for (const TableSchema& table : schema()) {
        if (!run(query, createTableSql(table, Engine::Server), error))
            return false;
    }
    if (!query.prepare(QStringLiteral("INSERT INTO public.\"tblAdm\" (\"Password\") VALUES (?)")))
        return fail(error, serverErrorText(query.lastError()));
    // Every value of the database is text, an empty password included.
    query.addBindValue(adminPassword.isNull() ? QStringLiteral("") : adminPassword);
    return query.exec() || fail(error, serverErrorText(query.lastError()));
}

} // namespace

QString quotedIdentifier(const QString& name) {
    QString text = name;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

std::optional<QStringList> existingServerTables(const QSqlDatabase& db, QString* error) {
    QStringList standing;
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"))) {
        *error = serverErrorText(query.lastError());
        return std::nullopt;
    }
    for (const TableSchema& table : schema()) {
        query.addBindValue(QStringLiteral("public.") + quotedIdentifier(table.name));
        if (!query.exec() || !query.next()) {
            *error = serverErrorText(query.lastError());
            return std::nullopt;
        }
        if (query.value(0).toBool())
            standing << table.name;
    }
    return standing;
}

bool createServerTables(const QSqlDatabase& db, const QString& adminPassword, QString* error) {
    const std::optional<QStringList> standing = existingServerTables(db, error);
    if (!standing)
        return false;
    if (!standing->isEmpty())
        return fail(error, QStringLiteral("the database already holds %1; it is left as it is")
                               .arg(standing->join(QStringLiteral(", "))));
    QSqlDatabase connection = db;
    if (!connection.transaction())
        return fail(error, serverErrorText(connection.lastError()));
    // A second tool creating the same tables meanwhile makes one of the two fail here, and its
    // transaction leaves nothing behind.
    if (!fillServer(db, adminPassword, error)) {
        connection.rollback();
        return false;
    }
    if (connection.commit())
        return true;
    *error = serverErrorText(connection.lastError());
    connection.rollback();
    return false;
}

QStringList seatGrants(const QString& database, const QString& role) {
    const QString grantee = quotedIdentifier(role);
    QStringList statements{QStringLiteral("GRANT CONNECT ON DATABASE %1 TO %2;")
                               .arg(quotedIdentifier(database), grantee),
                           QStringLiteral("GRANT USAGE ON SCHEMA public TO %1;").arg(grantee)};
    for (const TableSchema& table : schema()) {
        QStringList rights{QStringLiteral("SELECT")};
        if (table.seat.adds)
            rights << QStringLiteral("INSERT (%1)")
                          .arg(columnList(namedColumns(table, Engine::Server)));
        if (!table.seat.edits.isEmpty())
            rights << QStringLiteral("UPDATE (%1)").arg(columnList(table.seat.edits));
        if (table.seat.deletes)
            rights << QStringLiteral("DELETE");
        statements << QStringLiteral("GRANT %1 ON TABLE public.%2 TO %3;")
                          .arg(rights.join(QStringLiteral(", ")), quotedIdentifier(table.name),
                               grantee);
    }
    return statements;
}

} // namespace store
