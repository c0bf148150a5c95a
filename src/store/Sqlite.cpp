#include "store/Sqlite.h"

#include "store/FileGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <atomic>
#include <fcntl.h>
#include <unistd.h>

namespace store::sqlite {
namespace {

// "file:" URI of the path, with spaces, "#", "?" and "%" in folder names percent-encoded.
// mode=rw: a missing file is an error and never becomes a new, empty database.
QString readWriteUri(const QString& filePath) {
    const QUrl url = QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath());
    return url.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw");
}

bool exec(QSqlQuery& query, const QString& sql, QString* error) {
    if (query.exec(sql))
        return true;
    *error = errorText(query.lastError());
    return false;
}

bool prepareConnection(const QSqlDatabase& db, QString* error) {
    QSqlQuery query(db);
    // A stored result must survive a power cut.
    if (!exec(query, QStringLiteral("PRAGMA synchronous=FULL"), error))
        return false;
    // Reading the journal mode is the first read of the file: a file that is no database
    // fails here with the engine's own words. The mode is the file's own and never changed
    // here: with a rollback journal the file alone holds every committed row.
    if (!exec(query, QStringLiteral("PRAGMA journal_mode"), error))
        return false;
    const QString mode = query.next() ? query.value(0).toString() : QString();
    // The first read of the schema rolls back what an unfinished write left.
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) == 0)
        return exec(query, QStringLiteral("SELECT count(*) FROM sqlite_schema"), error);
    *error = QStringLiteral("the file uses the journal mode \"%1\"; Quil's Data Entry needs "
                            "the rollback journal (\"delete\")")
                 .arg(mode);
    return false;
}

// The file each open connection of the store has open, as told to the file guard.
QHash<QString, QString>& guardedConnections() {
    static QHash<QString, QString> connections;
    return connections;
}

} // namespace

void close(const QString& connectionName) {
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::database(connectionName, false).close();
    const auto found = guardedConnections().constFind(connectionName);
    if (found != guardedConnections().constEnd()) {
        fileGuard::closed(found.value());
        guardedConnections().erase(found);
    }
}

QString uniqueConnectionName(const QString& purpose) {
    static std::atomic<quint64> counter{0};
    return QStringLiteral("quil-%1-%2").arg(purpose).arg(++counter);
}

QString errorText(const QSqlError& error) {
    const QString engine = error.databaseText().trimmed();
    if (!engine.isEmpty())
        return engine;
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

QString quoted(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool openExisting(const QString& connectionName, const QString& filePath, QString* error) {
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
                          ? QSqlDatabase::database(connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    if (!db.isValid()) {
        *error = errorText(db.lastError());
        return false;
    }
    close(connectionName);
    if (!fileGuard::opening(filePath, error))
        return false;
    guardedConnections().insert(connectionName, filePath);
    db.setDatabaseName(readWriteUri(filePath));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *error = errorText(db.lastError());
        if (!QFileInfo::exists(filePath))
            *error += QStringLiteral(" (the file does not exist)");
        close(connectionName);
        return false;
    }
    if (!checkWritable(filePath, error) || !fileGuard::checkSideFiles(db, filePath, error) ||
        !prepareConnection(db, error) || !fileGuard::opened(db, filePath, error)) {
        close(connectionName);
        return false;
    }
    return true;
}

bool checkWritable(const QString& filePath, QString* error) {
    // The engine opens a write-protected file read-only without a word; the first write
    // would fail much later, after the user has typed a whole test. The effective ids decide,
    // as for the engine's own open: installed setgid, the program writes through its group.
    if (::faccessat(AT_FDCWD, QFile::encodeName(filePath).constData(), W_OK, AT_EACCESS) == 0)
        return true;
    *error = QStringLiteral("the file is read-only (attempt to write a readonly database)");
    return false;
}

QStringList columnNames(const QSqlDatabase& db, const QString& table, QString* error) {
    QStringList names;
    const QSqlRecord record = db.record(table);
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    if (names.isEmpty())
        *error = QStringLiteral("no such table: %1").arg(table);
    return names;
}

QString filePathOf(const QSqlDatabase& db) {
    const QUrl url(db.databaseName());
    return url.isLocalFile() ? url.toLocalFile() : db.databaseName();
}

void drop(const QString& connectionName) {
    if (!QSqlDatabase::contains(connectionName))
        return;
    close(connectionName);
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace store::sqlite
