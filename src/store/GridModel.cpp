#include "store/GridModel.h"

#include "store/Sqlite.h"

#include <QSqlError>

namespace store {

GridModel::GridModel(QObject* parent, const QSqlDatabase& db) : QSqlTableModel(parent, db) {
    setEditStrategy(OnRowChange);
}

// Done before the new row exists in the model, so the fetched rows land above it; a row
// meant for the end stays at the end.
bool GridModel::insertRows(int row, int count, const QModelIndex& parent) {
    const bool atEnd = row == rowCount(parent);
    releaseSnapshot();
    if (atEnd)
        row = rowCount(parent);
    return QSqlTableModel::insertRows(row, count, parent);
}

bool GridModel::select() {
    fileId = sqlite::fileIdentity(sqlite::filePathOf(database()));
    return QSqlTableModel::select();
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

bool GridModel::readyToWrite() {
    if (sqlite::fileIdentity(sqlite::filePathOf(database())) != fileId) {
        setLastError(QSqlError(QString(), sqlite::fileMovedError(), QSqlError::ConnectionError));
        return false;
    }
    releaseSnapshot();
    return true;
}

void GridModel::releaseSnapshot() {
    while (canFetchMore())
        fetchMore();
}

} // namespace store
