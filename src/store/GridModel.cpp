#include "store/GridModel.h"

#include "store/Sqlite.h"

#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>

namespace store {

GridModel::GridModel(QObject* parent, const QSqlDatabase& db) : QSqlTableModel(parent, db) {
    setEditStrategy(OnRowChange);
}

void GridModel::setKeyOrder(Qt::SortOrder order) {
    keyOrder = order;
}

// A new row belongs after every row of the table, so the rest is read first: the fetched
// rows land above it. Nothing in the program adds rows through a grid.
bool GridModel::insertRows(int row, int count, const QModelIndex& parent) {
    const bool atEnd = row == rowCount(parent);
    while (canFetchMore(parent))
        fetchMore(parent);
    if (atEnd)
        row = rowCount(parent);
    return QSqlTableModel::insertRows(row, count, parent);
}

bool GridModel::select() {
    // A new statement beside the unfinished one would read the same old snapshot.
    finishReading();
    staleDepth = -1;
    if (keyOrder) {
        const int key = record().indexOf(keyField());
        if (key >= 0)
            setSort(key, *keyOrder);
    }
    fileId = sqlite::fileIdentity(sqlite::filePathOf(database()));
    return QSqlTableModel::select();
}

// The views call this when the user leaves an edited row.
bool GridModel::submit() {
    const bool stored = QSqlTableModel::submit();
    if (staleDepth < 0)
        return stored;
    const QSqlError error = lastError(); // a select clears it
    const bool shown = reselect(staleDepth);
    if (!stored)
        setLastError(error);
    return stored && shown;
}

bool GridModel::canFetchMore(const QModelIndex& parent) const {
    return staleDepth < 0 && QSqlTableModel::canFetchMore(parent);
}

void GridModel::fetchMore(const QModelIndex& parent) {
    if (staleDepth < 0)
        QSqlTableModel::fetchMore(parent);
}

bool GridModel::insertRowIntoTable(const QSqlRecord& values) {
    return readyToWrite() && QSqlTableModel::insertRowIntoTable(values);
}

bool GridModel::updateRowInTable(int row, const QSqlRecord& values) {
    return readyToWrite() && QSqlTableModel::updateRowInTable(row, values);
}

bool GridModel::deleteRowFromTable(int row) {
    return readyToWrite() && QSqlTableModel::deleteRowFromTable(row);
}

GridModel::Deletion GridModel::deleteRows(const QList<int>& rows, bool keepOne) {
    if (!fileUnchanged())
        return Deletion::Failed;
    const int keyColumn = record().indexOf(keyField());
    if (keyColumn < 0) {
        setLastError(QSqlError(QString(),
                               QStringLiteral("the table %1 has no key column").arg(tableName()),
                               QSqlError::StatementError));
        return Deletion::Failed;
    }
    QVariantList keys;
    for (int row : rows)
        keys << data(index(row, keyColumn));
    const int depth = rowCount();

    finishReading();
    bool emptied = false;
    const bool deleted = deleteKeys(keys, keepOne, &emptied);
    const QSqlError error = lastError();
    // The select has ended either way: the grid reads the table again, as far as before.
    reselect(deleted ? depth - int(keys.size()) : depth);
    if (deleted)
        return Deletion::Deleted;
    setLastError(error);
    return emptied ? Deletion::LastRowKept : Deletion::Failed;
}

bool GridModel::deleteKeys(const QVariantList& keys, bool keepOne, bool* emptied) {
    QSqlDatabase db = database();
    if (!db.transaction()) {
        setLastError(db.lastError());
        return false;
    }
    QSqlQuery query(db);
    const QString table = sqlite::quoted(tableName());
    bool ok = query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                                .arg(table, sqlite::quoted(keyField())));
    for (qsizetype i = 0; ok && i < keys.size(); ++i) {
        query.addBindValue(keys.at(i));
        ok = query.exec();
    }
    if (ok && keepOne) {
        ok = query.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1)").arg(table));
        *emptied = ok && query.next() && !query.value(0).toBool();
        query.finish();
    }
    if (ok && !*emptied && db.commit())
        return true;
    if (*emptied)
        setLastError(QSqlError(QString(),
                               QStringLiteral("the last row of %1 is kept").arg(tableName()),
                               QSqlError::StatementError));
    else
        setLastError(query.lastError().isValid() ? query.lastError() : db.lastError());
    db.rollback();
    return false;
}

bool GridModel::fileUnchanged() {
    if (sqlite::fileIdentity(sqlite::filePathOf(database())) == fileId)
        return true;
    setLastError(QSqlError(QString(), sqlite::fileMovedError(), QSqlError::ConnectionError));
    return false;
}

bool GridModel::readyToWrite() {
    if (!fileUnchanged())
        return false;
    // The write resets the select statement: reading on from it would start the table over,
    // so the grid selects again once the write is done.
    if (staleDepth < 0 && QSqlTableModel::canFetchMore())
        staleDepth = rowCount();
    return true;
}

// Ends the select statement where it stands, releasing its snapshot. The model reads nothing
// from it afterwards: a select follows.
void GridModel::finishReading() {
    query().finish();
}

bool GridModel::reselect(int depth) {
    if (!select())
        return false;
    while (rowCount() < depth && canFetchMore())
        fetchMore();
    return true;
}

QString GridModel::keyField() const {
    const QSqlIndex key = primaryKey();
    return key.isEmpty() ? QString() : key.fieldName(0);
}

} // namespace store
