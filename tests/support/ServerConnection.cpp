#include "support/ServerConnection.h"

#include "core/ServerUri.h"
#include "store/Server.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace quiltest {

ServerConnection::ServerConnection(const QString& uri) {
    static int count = 0;
    name = QStringLiteral("test-server-connection-%1").arg(++count);
    const std::optional<store::ServerUri> server = store::parseServerUri(uri, &failure);
    open = server && store::openServer(name, *server, &failure);
}

ServerConnection::~ServerConnection() {
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

bool ServerConnection::exec(const QString& sql) {
    QSqlQuery query(QSqlDatabase::database(name, false));
    if (query.exec(sql))
        return true;
    failure = store::serverErrorText(query.lastError());
    return false;
}

QList<QStringList> ServerConnection::rows(const QString& sql) {
    QSqlQuery query(QSqlDatabase::database(name, false));
    QList<QStringList> result;
    if (!query.exec(sql)) {
        failure = store::serverErrorText(query.lastError());
        return result;
    }
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.isNull(i) ? QString() : query.value(i).toString());
        result << row;
    }
    return result;
}

} // namespace quiltest
