#include "store/Server.h"

#include "store/Sqlite.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

namespace store {
namespace {

// libpq's words when the program at the address answers, but not as a PostgreSQL server.
bool soundsLikeAnotherProgram(const QString& text) {
    return text.contains(QLatin1String("invalid response to SSL negotiation")) ||
           text.contains(QLatin1String("expected authentication request from server")) ||
           text.contains(QLatin1String("server closed the connection unexpectedly")) ||
           text.contains(QLatin1String("received invalid response"));
}

QString explained(const QString& text, const ServerUri& server) {
    if (soundsLikeAnotherProgram(text))
        return text + QStringLiteral("\n(The program at that address and port does not answer "
                                     "as a PostgreSQL server does: check the host and port.)");
    if (text.contains(QLatin1String("timeout expired")))
        return text + QStringLiteral("\n(No answer within %1 s.)")
                          .arg(option(server, QStringLiteral("connect_timeout")).isNull()
                                   ? QString::number(kConnectSeconds)
                                   : option(server, QStringLiteral("connect_timeout")));
    return text;
}

} // namespace

void configureServer(QSqlDatabase& db, const ServerUri& server) {
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setDatabaseName(server.databaseName);
    db.setUserName(server.user);
    db.setPassword(server.password);
    QString options = connectOptions(server);
    if (option(server, QStringLiteral("connect_timeout")).isNull())
        options += (options.isEmpty() ? QString() : QStringLiteral(" ")) +
                   QStringLiteral("connect_timeout='%1'").arg(kConnectSeconds);
    db.setConnectOptions(options);
}

bool openServer(const QString& connectionName, const ServerUri& server, QString* error) {
    if (!QSqlDatabase::isDriverAvailable(kServerDriver)) {
        *error = QStringLiteral("Qt's PostgreSQL driver (QPSQL) is not installed; on Debian it "
                                "comes with the package libqt6sql6-psql");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
                          ? QSqlDatabase::database(connectionName, false)
                          : QSqlDatabase::addDatabase(kServerDriver, connectionName);
    configureServer(db, server);
    if (db.open())
        return true;
    *error = explained(serverErrorText(db.lastError()), server);
    db.close();
    return false;
}

bool reachServer(const ServerUri& server, QString* error) {
    const QString name = sqlite::uniqueConnectionName(QStringLiteral("server-check"));
    const bool reached = openServer(name, server, error);
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
    return reached;
}

QString serverErrorText(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.replace(QLatin1Char('\t'), QLatin1Char(' '));
        line = line.trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines.isEmpty() ? QStringLiteral("(no error text)") : lines.join(QLatin1Char('\n'));
}

} // namespace store
