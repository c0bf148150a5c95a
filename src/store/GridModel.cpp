#include "store/GridModel.h"

#include "store/FileGuard.h"
#include "store/Sqlite.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace store {
namespace {

constexpr int kPageRows = 256;

// Every value the program writes is text.
QVariant asText(const QVariant& value) {
    const QString text = value.toString();
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

GridModel::GridModel(QObject* parent, const QSqlDatabase& database)
    : QAbstractTableModel(parent), db(database) {}

void GridModel::setTable(const QString& name) {
    beginResetModel();
    table = name;
    columns.clear();
    rows.clear();
    atEnd = true;
    pending = {};
    endResetModel();
}

void GridModel::setKeyOrder(Qt::SortOrder keyOrder) {
    order = keyOrder;
}

void GridModel::setEditCheck(EditCheck check) {
    editCheck = std::move(check);
}

void GridModel::clear() {
    beginResetModel();
    columns.clear();
    rows.clear();
    atEnd = true;
    pending = {};
    endResetModel();
}

bool GridModel::fail(const QString& text, QSqlError::ErrorType type) {
    error = QSqlError(QString(), text, type);
    return false;
}

bool GridModel::fail(const QSqlError& engineError) {
    return fail(sqlite::errorText(engineError));
}

QString GridModel::filePath() const {
    return sqlite::filePathOf(db);
}

bool GridModel::loadColumns() {
    if (!columns.isEmpty())
        return true;
    QString missing;
    columns = sqlite::columnNames(db, table, &missing);
    return !columns.isEmpty() || fail(missing);
}

// One statement, read to its end and finished before this returns.
QList<GridModel::Row> GridModel::readRows(const QString& condition, const QVariantList& bound,
                                          int limit) {
    QList<Row> read;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QString sql = QStringLiteral("SELECT rowid, * FROM %1").arg(sqlite::quoted(table));
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    sql += order == Qt::DescendingOrder ? QStringLiteral(" ORDER BY rowid DESC")
                                        : QStringLiteral(" ORDER BY rowid");
    if (limit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(limit);
    if (!query.prepare(sql)) {
        fail(query.lastError());
        return read;
    }
    for (const QVariant& value : bound)
        query.addBindValue(value);
    if (!query.exec()) {
        fail(query.lastError());
        return read;
    }
    const int fields = query.record().count();
    while (query.next()) {
        Row row;
        row.key = query.value(0).toLongLong();
        for (int i = 1; i < fields; ++i)
            row.values << (query.isNull(i) ? QVariant() : query.value(i));
        read << row;
    }
    if (query.lastError().isValid())
        fail(query.lastError());
    query.finish();
    return read;
}

bool GridModel::readPage() {
    QString condition;
    QVariantList bound;
    if (!rows.isEmpty()) {
        condition = order == Qt::DescendingOrder ? QStringLiteral("rowid < ?")
                                                 : QStringLiteral("rowid > ?");
        bound << rows.last().key;
    }
    error = QSqlError();
    const QList<Row> page = readRows(condition, bound, kPageRows + 1);
    if (error.isValid())
        return false;
    atEnd = page.size() <= kPageRows;
    const int count = int(std::min<qsizetype>(page.size(), kPageRows));
    if (count > 0) {
        beginInsertRows(QModelIndex(), int(rows.size()), int(rows.size()) + count - 1);
        rows.append(page.mid(0, count));
        endInsertRows();
    }
    return true;
}

bool GridModel::select() {
    beginResetModel();
    rows.clear();
    pending = {};
    atEnd = true;
    columns.clear();
    error = QSqlError();
    const bool ok = !table.isEmpty() && db.isOpen() && loadColumns();
    endResetModel();
    if (!ok)
        return table.isEmpty() ? fail(QStringLiteral("no table is set")) : false;
    return readPage();
}

int GridModel::fieldIndex(const QString& field) const {
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows.size() || index.column() >= columns.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (pending.row == index.row() && pending.values.contains(index.column()))
        return pending.values.value(index.column());
    return rows.at(index.row()).values.value(index.column());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < columns.size() ? QVariant(columns.at(section))
                                                        : QVariant();
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rows.size())
        return false;
    // One row is edited at a time: moving on to another row stores the one before.
    if (pending.row >= 0 && pending.row != index.row() && !submit())
        return false;
    if (data(index) == value && value.isValid() == data(index).isValid())
        return true;
    pending.row = index.row();
    pending.values.insert(index.column(), value);
    emit dataChanged(index, index);
    return true;
}

bool GridModel::submit() {
    if (pending.row < 0 || pending.values.isEmpty()) {
        pending = {};
        return true;
    }
    if (editCheck) {
        for (auto it = pending.values.cbegin(); it != pending.values.cend(); ++it) {
            const QString refusal = editCheck(it.key(), it.value());
            if (!refusal.isEmpty())
                return fail(refusal);
        }
    }
    return storePending();
}

bool GridModel::storePending() {
    QString guardError;
    if (!fileGuard::beforeWrite(db, filePath(), &guardError))
        return fail(guardError, QSqlError::ConnectionError);
    QStringList assignments;
    QVariantList values;
    for (auto it = pending.values.cbegin(); it != pending.values.cend(); ++it) {
        assignments << sqlite::quoted(columns.at(it.key())) + QStringLiteral(" = ?");
        values << asText(it.value());
    }
    const int row = pending.row;
    const qint64 key = rows.at(row).key;
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                           .arg(sqlite::quoted(table), assignments.join(QStringLiteral(", ")))))
        return fail(query.lastError());
    for (const QVariant& value : std::as_const(values))
        query.addBindValue(value);
    query.addBindValue(key);
    if (!query.exec())
        return fail(query.lastError());
    fileGuard::afterWrite(db, filePath());
    const bool changed = query.numRowsAffected() == 1;
    query.finish();
    pending = {};
    // The table's own value, as a trigger or a column's type may have made it.
    const QList<Row> stored = readRows(QStringLiteral("rowid = ?"), {key}, 1);
    if (!stored.isEmpty())
        rows[row] = stored.first();
    emit dataChanged(index(row, 0), index(row, int(columns.size()) - 1));
    return changed || fail(QStringLiteral("the row no longer exists in %1").arg(table));
}

void GridModel::revert() {
    const int row = pending.row;
    pending = {};
    if (row >= 0 && row < rows.size())
        emit dataChanged(index(row, 0), index(row, int(columns.size()) - 1));
}

bool GridModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rows.size())
        return false;
    QList<int> doomed;
    for (int i = row; i < row + count; ++i)
        doomed << i;
    return deleteRows(doomed) == Deletion::Deleted;
}

GridModel::Deletion GridModel::deleteRows(const QList<int>& given, bool keepOne) {
    QList<int> doomed = given;
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    QList<qint64> keys;
    for (int row : std::as_const(doomed)) {
        if (row < 0 || row >= rows.size()) {
            fail(QStringLiteral("there is no row %1 to delete").arg(row + 1));
            return Deletion::Failed;
        }
        keys << rows.at(row).key;
    }
    QString guardError;
    if (!fileGuard::beforeWrite(db, filePath(), &guardError)) {
        fail(guardError, QSqlError::ConnectionError);
        return Deletion::Failed;
    }
    bool emptied = false;
    if (!deleteKeys(keys, keepOne, &emptied))
        return emptied ? Deletion::LastRowKept : Deletion::Failed;
    fileGuard::afterWrite(db, filePath());
    pending = {};
    for (auto it = doomed.crbegin(); it != doomed.crend(); ++it) {
        beginRemoveRows(QModelIndex(), *it, *it);
        rows.removeAt(*it);
        endRemoveRows();
    }
    return Deletion::Deleted;
}

bool GridModel::deleteKeys(const QList<qint64>& keys, bool keepOne, bool* emptied) {
    if (!db.transaction())
        return fail(db.lastError());
    QSqlQuery query(db);
    bool ok =
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sqlite::quoted(table)));
    for (qsizetype i = 0; ok && i < keys.size(); ++i) {
        query.addBindValue(keys.at(i));
        ok = query.exec();
    }
    if (ok && keepOne) {
        ok = query.exec(
            QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1)").arg(sqlite::quoted(table)));
        *emptied = ok && query.next() && !query.value(0).toBool();
    }
    const QSqlError failure = query.lastError().isValid() ? query.lastError() : QSqlError();
    query.finish();
    if (ok && !*emptied && db.commit())
        return true;
    db.rollback();
    if (*emptied)
        return fail(QStringLiteral("the last row of %1 is kept").arg(table));
    return fail(failure.isValid() ? failure : db.lastError());
}

bool GridModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !atEnd;
}

void GridModel::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent))
        readPage();
}

} // namespace store
