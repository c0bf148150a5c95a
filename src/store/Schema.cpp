#include "store/Schema.h"

#include "store/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace store {
namespace {

const QStringList kSideFileSuffixes = {QStringLiteral("-wal"), QStringLiteral("-journal"),
                                       QStringLiteral("-shm")};

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// Reserves a fresh, empty file beside target: created exclusively, so no other file is ever
// touched, and with the access asked for from its first moment (the password goes into it).
QString reserveBuildFile(const QString& target, const FileAccess& access, QString* error) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate =
            target + QStringLiteral(".%1.part")
                         .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
        QFile file(candidate);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, access.permissions)) {
            // The umask may have taken bits away that were asked for (a group's write bit).
            if (!file.setPermissions(access.permissions) ||
                (access.group != gid_t(-1) &&
                 ::fchown(file.handle(), uid_t(-1), access.group) != 0)) {
                *error = QStringLiteral("cannot set the access of %1: %2")
                             .arg(candidate, QString::fromLocal8Bit(std::strerror(errno)));
                file.close();
                QFile::remove(candidate);
                return {};
            }
            return candidate;
        }
        if (!file.exists()) {
            *error = QStringLiteral("cannot create a file in %1: %2")
                         .arg(QFileInfo(target).absolutePath(), file.errorString());
            return {};
        }
    }
    *error = QStringLiteral("cannot find a free temporary name beside %1").arg(target);
    return {};
}

void removeWithSideFiles(const QString& path) {
    QFile::remove(path);
    for (const QString& suffix : kSideFileSuffixes)
        QFile::remove(path + suffix);
}

bool run(QSqlQuery& query, const QString& sql, QString* error) {
    if (query.exec(sql))
        return true;
    *error = sqlite::errorText(query.lastError());
    return false;
}

// A random id of this file, never zero; the program checks it before every write.
qint32 newFileId() {
    qint32 id = 0;
    while (id == 0)
        id = qint32(QRandomGenerator::system()->generate() & 0x7fffffffu);
    return id;
}

bool fillDatabase(const QSqlDatabase& db, const QString& adminPassword, QString* error) {
    QSqlQuery query(db);
    // A rollback journal: every committed row is in the file itself, and no log beside it
    // outlives a transaction.
    if (!run(query, QStringLiteral("PRAGMA journal_mode=DELETE"), error) ||
        !run(query, QStringLiteral("PRAGMA synchronous=FULL"), error) ||
        !run(query, QStringLiteral("BEGIN"), error))
        return false;
    if (!run(query, QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId), error) ||
        !run(query, QStringLiteral("PRAGMA user_version=%1").arg(newFileId()), error))
        return false;
    for (const TableSchema& table : schema()) {
        if (!run(query, createTableSql(table, Engine::File), error))
            return false;
    }
    if (!query.prepare(QStringLiteral("INSERT INTO \"tblAdm\" (\"Password\") VALUES (?)"))) {
        *error = sqlite::errorText(query.lastError());
        return false;
    }
    // Every value of the database is text, an empty password included.
    query.addBindValue(adminPassword.isNull() ? QStringLiteral("") : adminPassword);
    if (!query.exec()) {
        *error = sqlite::errorText(query.lastError());
        return false;
    }
    return run(query, QStringLiteral("COMMIT"), error);
}

bool buildDatabase(const QString& path, const QString& adminPassword, QString* error) {
    const QString connectionName = sqlite::uniqueConnectionName(QStringLiteral("create"));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(path);
        if (!db.open())
            *error = sqlite::errorText(db.lastError());
        else
            ok = fillDatabase(db, adminPassword, error);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    return ok;
}

} // namespace

const QList<TableSchema>& schema() {
    static const QList<TableSchema> tables = {
        // Registration adds agents; the admin window deletes them.
        {QStringLiteral("tblNew"), {QStringLiteral("Name")}, false, {true, true, {}}},
        // A result is added by the main window; the admin window deletes results and edits
        // their Date.
        {QStringLiteral("tblRem"),
         {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Name"),
          QStringLiteral("Test"), QStringLiteral("Errors"), QStringLiteral("Accuracy"),
          QStringLiteral("Keystroke")},
         true,
         {true, true, {QStringLiteral("Date")}}},
        // The usage row is added at Exit; no window changes it.
        {QStringLiteral("tblSystem"),
         {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Elapsed"),
          QStringLiteral("LastAgent")},
         true,
         {true, false, {}}},
        // The admin window edits and deletes passwords (never the last one); none is added.
        {QStringLiteral("tblAdm"),
         {QStringLiteral("Password")},
         false,
         {false, true, {QStringLiteral("Password")}}},
    };
    return tables;
}

QStringList namedColumns(const TableSchema& table, Engine engine) {
    QStringList columns = table.columns;
    if (engine == Engine::Server && table.throughOutbox)
        columns << kRowIdColumn;
    return columns;
}

QString createTableSql(const TableSchema& table, Engine engine) {
    const bool file = engine == Engine::File;
    QStringList columns{sqlite::quoted(QStringLiteral("ID")) +
                        (file ? QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT")
                              : QStringLiteral(" bigint GENERATED BY DEFAULT AS IDENTITY "
                                               "PRIMARY KEY"))};
    for (const QString& column : table.columns)
        columns << sqlite::quoted(column) +
                       (file ? QStringLiteral(" TEXT") : QStringLiteral(" text"));
    if (!file && table.throughOutbox)
        columns << sqlite::quoted(kRowIdColumn) + QStringLiteral(" uuid NOT NULL UNIQUE");
    return QStringLiteral("CREATE TABLE %1%2 (%3)")
        .arg(file ? QString() : QStringLiteral("public."), sqlite::quoted(table.name),
             columns.join(QStringLiteral(", ")));
}

bool createDatabase(const QString& filePath, const QString& adminPassword, QString* error,
                    const FileAccess& access) {
    const QFileInfo target(filePath);
    if (filePath.isEmpty())
        return fail(error, QStringLiteral("no file name given"));
    if (target.exists() || target.isSymLink())
        return fail(error, QStringLiteral("%1 already exists; it is left as it is")
                               .arg(target.absoluteFilePath()));
    // A log or journal left behind by an earlier file of that name would be read as part of
    // the new one.
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-journal")}) {
        if (QFileInfo::exists(filePath + suffix) || QFileInfo(filePath + suffix).isSymLink())
            return fail(error, QStringLiteral("%1 lies beside the new file; remove it first")
                                   .arg(QFileInfo(filePath + suffix).absoluteFilePath()));
    }
    if (!target.absoluteDir().exists())
        return fail(error,
                    QStringLiteral("the folder %1 does not exist").arg(target.absolutePath()));

    QString text;
    const QString buildPath = reserveBuildFile(target.absoluteFilePath(), access, &text);
    if (buildPath.isEmpty())
        return fail(error, text);
    if (!buildDatabase(buildPath, adminPassword, &text)) {
        removeWithSideFiles(buildPath);
        return fail(error,
                    QStringLiteral("cannot create %1: %2").arg(target.absoluteFilePath(), text));
    }
    // Only a complete file ever carries the final name; rename never replaces a file that
    // appeared meanwhile.
    QFile built(buildPath);
    if (!built.rename(target.absoluteFilePath())) {
        const QString reason = built.errorString();
        removeWithSideFiles(buildPath);
        return fail(error,
                    QStringLiteral("cannot create %1: %2").arg(target.absoluteFilePath(), reason));
    }
    return true;
}

} // namespace store
