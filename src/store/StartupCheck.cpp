#include "store/StartupCheck.h"

#include "store/EngineFile.h"
#include "store/FileHeader.h"
#include "store/Schema.h"
#include "store/SideFiles.h"
#include "store/Sqlite.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace store {
namespace {

QString uri(const QString& path, const QString& options) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QLatin1Char('?') + options;
}

// One connection for the length of a call, closed and forgotten at its end.
class Connection {
public:
    Connection(const QString& path, const QString& options)
        : name(sqlite::uniqueConnectionName(QStringLiteral("check"))) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(uri(path, options));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            openError = sqlite::errorText(db.lastError());
    }
    ~Connection() { sqlite::drop(name); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }
    QString openError;

    // The rows of sql, each row's columns as texts; nullopt with *error on failure.
    std::optional<QList<QStringList>> rows(const QString& sql, const QVariantList& bound,
                                           QString* error) const {
        QSqlQuery query(db());
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            *error = sqlite::errorText(query.lastError());
            return std::nullopt;
        }
        for (const QVariant& value : bound)
            query.addBindValue(value);
        if (!query.exec()) {
            *error = sqlite::errorText(query.lastError());
            return std::nullopt;
        }
        QList<QStringList> all;
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i).toString();
            all << row;
        }
        return all;
    }

private:
    QString name;
};

// SQLite's rule for a declared type: does the column keep the text it is given as it is? Text
// affinity does, and so does none (no type, or BLOB); integer, real and numeric affinity turn
// "0910" into 910.
bool keepsText(const QString& declared) {
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("INT")))
        return false;
    return type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) ||
           type.contains(QLatin1String("TEXT")) || type.contains(QLatin1String("BLOB")) ||
           type.trimmed().isEmpty();
}

QStringList fileFaults(const QString& path, const FileHeader& header) {
    QStringList faults;
    // The effective ids decide: installed setgid, the program writes through its group.
    if (::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) != 0)
        faults << QStringLiteral("the file is read-only (attempt to write a readonly database)");
    const QString folder = QFileInfo(path).absolutePath();
    if (::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) != 0)
        faults << QStringLiteral("the folder %1 is read-only: the engine keeps its journal "
                                 "beside the file there while it writes")
                      .arg(folder);
    if (header.applicationId != 0 && header.applicationId != kApplicationId)
        faults << QStringLiteral("the file belongs to another program (application id 0x%1)")
                      .arg(quint32(header.applicationId), 8, 16, QLatin1Char('0'));
    return faults;
}

QStringList tableFaults(const Connection& check, const TableSchema& table) {
    QString error;
    const auto kind = check.rows(
        QStringLiteral("SELECT type, name FROM sqlite_schema WHERE type IN ('table', 'view') "
                       "AND name = ? COLLATE NOCASE"),
        {table.name}, &error);
    if (!kind)
        return {error};
    if (kind->isEmpty())
        return {QStringLiteral("the table %1 is missing").arg(table.name)};
    if (kind->first().at(0) == QLatin1String("view"))
        return {QStringLiteral("%1 is a view, not a table").arg(table.name)};

    QStringList faults;
    const auto columns = check.rows(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"),
                                    {table.name}, &error);
    if (!columns)
        return {error};
    for (const QString& wanted : table.columns) {
        const auto found = std::find_if(columns->cbegin(), columns->cend(), [&](const auto& c) {
            return c.at(0).compare(wanted, Qt::CaseInsensitive) == 0;
        });
        if (found == columns->cend())
            faults << QStringLiteral("the table %1 has no column %2").arg(table.name, wanted);
        else if (!keepsText(found->at(1)))
            faults << QStringLiteral("the column %1.%2 is declared \"%3\", which does not keep "
                                     "text as it is written (it must be TEXT)")
                          .arg(table.name, wanted, found->at(1));
    }
    const auto triggers =
        check.rows(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'trigger' AND "
                                  "tbl_name = ? COLLATE NOCASE ORDER BY name"),
                   {table.name}, &error);
    if (!triggers)
        return faults << error;
    for (const QStringList& trigger : *triggers)
        faults << QStringLiteral("the trigger %1 sits on the table %2 and may change or remove "
                                 "the rows written there")
                      .arg(trigger.at(0), table.name);
    const auto indexes = check.rows(
        QStringLiteral("SELECT name FROM pragma_index_list(?) WHERE \"unique\" AND origin <> 'pk' "
                       "ORDER BY name"),
        {table.name}, &error);
    if (!indexes)
        return faults << error;
    for (const QStringList& index : *indexes)
        faults << QStringLiteral("the unique index %1 on the table %2 would refuse rows that "
                                 "may repeat")
                      .arg(index.at(0), table.name);
    return faults;
}

QStringList contentFaults(const Connection& check) {
    QString error;
    const auto verdict = check.rows(QStringLiteral("PRAGMA quick_check(1)"), {}, &error);
    if (!verdict)
        return {error};
    if (verdict->isEmpty() || verdict->first().value(0) != QLatin1String("ok"))
        return {QStringLiteral("the engine finds the file damaged: %1")
                    .arg(verdict->isEmpty() ? QStringLiteral("(no verdict)")
                                            : verdict->first().value(0))};
    QStringList faults;
    for (const TableSchema& table : schema())
        faults << tableFaults(check, table);
    return faults;
}

// Rolls back the file's own unfinished write, as the first connection that reads it would.
bool rollBackOwnJournal(const QString& path, QString* error) {
    Connection writer(path, QStringLiteral("mode=rw"));
    if (!writer.openError.isEmpty()) {
        *error = writer.openError;
        return false;
    }
    return bool(writer.rows(QStringLiteral("SELECT count(*) FROM sqlite_schema"), {}, error));
}

} // namespace

QStringList startupFaults(const QString& path) {
    QString error;
    std::optional<FileHeader> header = readFileHeader(path, &error);
    if (!header)
        return {error};
    QStringList faults = fileFaults(path, *header);
    if (!faults.isEmpty())
        return faults;
    // Read-only, and immutable for a write-ahead-log file, so that the engine makes no file
    // beside it; a log there is refused below whatever it holds.
    const QString options =
        header->writeAheadLog ? QStringLiteral("mode=ro&immutable=1") : QStringLiteral("mode=ro");
    auto check = std::make_unique<Connection>(path, options);
    if (!check->openError.isEmpty())
        return {check->openError};
    const QSqlDatabase db = check->db();
    faults = sideFileFaults(path, *header, [&db] { return writerActive(db); });
    if (!faults.isEmpty())
        return faults;
    if (!writerActive(db) && ownJournalBeside(path, *header)) {
        check.reset();
        if (!rollBackOwnJournal(path, &error))
            return {error};
        check = std::make_unique<Connection>(path, options);
    }
    return contentFaults(*check);
}

bool adoptOlderFile(const QString& path, QString* error) {
    const std::optional<FileHeader> header = readFileHeader(path, error);
    if (!header)
        return false;
    if (header->applicationId == kApplicationId && !header->writeAheadLog)
        return true;
    Connection writer(path, QStringLiteral("mode=rw"));
    if (!writer.openError.isEmpty()) {
        *error = writer.openError;
        return false;
    }
    qint32 id = 0;
    while (id == 0)
        id = qint32(QRandomGenerator::system()->generate() & 0x7fffffffu);
    QStringList steps{QStringLiteral("PRAGMA journal_mode=DELETE")};
    if (header->applicationId == 0)
        steps << QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId)
              << QStringLiteral("PRAGMA user_version=%1").arg(id);
    for (const QString& step : std::as_const(steps)) {
        if (!writer.rows(step, {}, error))
            return false;
    }
    return true;
}

bool checkAtStartup(const QString& path, QString* error) {
    const QStringList faults = startupFaults(path);
    if (!faults.isEmpty()) {
        *error = faults.join(QLatin1Char('\n'));
        return false;
    }
    return adoptOlderFile(path, error);
}

} // namespace store
