#include "store/RecordSet.h"

#include "store/FileGuard.h"
#include "store/Sqlite.h"

#include <QSqlError>
#include <QSqlQuery>

namespace store {
namespace {

const QString kKeyAlias = QStringLiteral("quil_row_key");

// Every value the program writes is text: a null string is stored as an empty text, never
// as Null.
QString asText(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

RecordSet::RecordSet(QSqlDatabase database, QString tableName)
    : db(std::move(database)), table(std::move(tableName)) {
    if (db.isOpen())
        filePath = sqlite::filePathOf(db);
}

bool RecordSet::fail(const QString& text) {
    lastError = text;
    return false;
}

bool RecordSet::loadColumns() {
    if (!columns.isEmpty())
        return true;
    if (!db.isOpen() || table.isEmpty())
        return fail(QStringLiteral("the data control has not been refreshed"));
    QString missing;
    columns = sqlite::columnNames(db, table, &missing);
    return !columns.isEmpty() || fail(missing);
}

QString RecordSet::columnName(const QString& field) {
    if (!loadColumns())
        return {};
    for (const QString& column : std::as_const(columns)) {
        if (column.compare(field, Qt::CaseInsensitive) == 0)
            return column;
    }
    lastError = QStringLiteral("Item cannot be found in the collection corresponding to the "
                               "requested name or ordinal: %1")
                    .arg(field);
    return {};
}

bool RecordSet::fetchRow(const QString& condition, const QVariantList& values) {
    if (!loadColumns())
        return false;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QString sql =
        QStringLiteral("SELECT rowid AS %1, * FROM %2").arg(kKeyAlias, sqlite::quoted(table));
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    sql += QStringLiteral(" ORDER BY rowid LIMIT 1");
    if (!query.prepare(sql))
        return fail(sqlite::errorText(query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return fail(sqlite::errorText(query.lastError()));
    if (!query.next()) {
        if (query.lastError().isValid())
            return fail(sqlite::errorText(query.lastError()));
        eof = true;
        current = QSqlRecord();
        return true;
    }
    QSqlRecord row = query.record();
    for (int i = 0; i < row.count(); ++i) {
        if (query.isNull(i))
            row.setValue(i, QVariant());
    }
    currentKey = query.value(0).toLongLong();
    row.remove(0);
    current = row;
    eof = false;
    return true;
}

bool RecordSet::MoveFirst() {
    adding = false;
    clearPending();
    return fetchRow({}, {});
}

bool RecordSet::MoveNext() {
    adding = false;
    clearPending();
    if (eof)
        return fail(QStringLiteral("there is no current row to move on from"));
    return fetchRow(QStringLiteral("rowid > ?"), {currentKey});
}

QVariant RecordSet::Value(const QString& field) const {
    if (adding) {
        for (qsizetype i = 0; i < pendingNames.size(); ++i) {
            if (pendingNames.at(i).compare(field, Qt::CaseInsensitive) == 0)
                return pendingValues.at(i);
        }
        return {};
    }
    if (eof)
        return {};
    const int index = current.indexOf(field);
    return index < 0 ? QVariant() : current.value(index);
}

bool RecordSet::setValue(const QString& field, const QString& text) {
    if (!adding && eof)
        return fail(QStringLiteral("there is no current row to change"));
    const QString column = columnName(field);
    if (column.isEmpty())
        return false;
    const qsizetype known = pendingNames.indexOf(column);
    if (known >= 0) {
        pendingValues[known] = asText(text);
    } else {
        pendingNames << column;
        pendingValues << asText(text);
    }
    return true;
}

void RecordSet::AddNew() {
    clearPending();
    adding = true;
}

bool RecordSet::Update() {
    if (adding)
        return insertPending();
    if (pendingNames.isEmpty())
        return true;
    if (eof)
        return fail(QStringLiteral("there is no current row to change"));
    return updatePending();
}

bool RecordSet::fileUnchanged() {
    QString error;
    return fileGuard::beforeWrite(db, filePath, &error) || fail(error);
}

bool RecordSet::insertPending() {
    if (!loadColumns() || !fileUnchanged())
        return false;
    QSqlQuery query(db);
    QString sql;
    if (pendingNames.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(sqlite::quoted(table));
    } else {
        QStringList names;
        for (const QString& name : std::as_const(pendingNames))
            names << sqlite::quoted(name);
        QStringList marks(pendingNames.size(), QStringLiteral("?"));
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(sqlite::quoted(table), names.join(QStringLiteral(", ")),
                       marks.join(QStringLiteral(", ")));
    }
    if (!query.prepare(sql))
        return fail(sqlite::errorText(query.lastError()));
    for (const QString& value : std::as_const(pendingValues))
        query.addBindValue(value);
    if (!query.exec())
        return fail(sqlite::errorText(query.lastError()));
    fileGuard::afterWrite(db, filePath);
    const QVariant key = query.lastInsertId();
    query.finish();
    adding = false;
    clearPending();
    // The row is stored: a failing look at it must not send the caller to store it again.
    if (!key.isValid() || !fetchRow(QStringLiteral("rowid = ?"), {key})) {
        eof = true;
        current = QSqlRecord();
    }
    return true;
}

bool RecordSet::updatePending() {
    if (!fileUnchanged())
        return false;
    QSqlQuery query(db);
    QStringList assignments;
    for (const QString& name : std::as_const(pendingNames))
        assignments << sqlite::quoted(name) + QStringLiteral(" = ?");
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                            .arg(sqlite::quoted(table), assignments.join(QStringLiteral(", ")));
    if (!query.prepare(sql))
        return fail(sqlite::errorText(query.lastError()));
    for (const QString& value : std::as_const(pendingValues))
        query.addBindValue(value);
    query.addBindValue(currentKey);
    if (!query.exec())
        return fail(sqlite::errorText(query.lastError()));
    fileGuard::afterWrite(db, filePath);
    const int changed = query.numRowsAffected();
    query.finish();
    clearPending();
    if (changed != 1)
        return fail(QStringLiteral("the current row no longer exists"));
    return fetchRow(QStringLiteral("rowid = ?"), {currentKey});
}

bool RecordSet::Find(const QString& field, const QString& value) {
    adding = false;
    clearPending();
    const QString column = columnName(field);
    if (column.isEmpty())
        return false;
    if (eof)
        return true;
    // "=" on a TEXT column compares with the BINARY collation: exact and case-sensitive.
    return fetchRow(QStringLiteral("rowid >= ? AND %1 = ?").arg(sqlite::quoted(column)),
                    {currentKey, asText(value)});
}

void RecordSet::clearPending() {
    pendingNames.clear();
    pendingValues.clear();
}

} // namespace store
