#pragma once

#include <QList>
#include <QSqlTableModel>
#include <optional>

namespace store {

// The table model behind a data control's grid. It fetches lazily: its select statement stays
// open while rows remain unread, holding the snapshot of the file it started with, so opening
// a table of a million rows costs what opening a small one does.
//
// A write on the grid's connection must not run beside that open statement: it would see the
// old snapshot, and its transaction would stay open (blocking every other writer) until the
// statement ends. So a write first ends the statement, and the grid then selects again and
// reads as far down as it had read before; the rows read so far come back from the database
// once each, never twice. When every row had been read already, a changed row is refreshed in
// place and the grid is not selected again.
//
// A write through the grid refuses to go to a file removed or replaced since the grid was
// filled.
class GridModel : public QSqlTableModel {
    Q_OBJECT
public:
    GridModel(QObject* parent, const QSqlDatabase& db);

    // Orders the rows by the table's key from every select on; Descending puts the newest row
    // first. The database sorts (by its key index), so nothing is sorted in memory.
    void setKeyOrder(Qt::SortOrder order);

    enum class Deletion { Deleted, LastRowKept, Failed };
    Q_ENUM(Deletion)
    // Deletes the rows at these model rows from the table, by key and in one transaction, then
    // selects again. With keepOne, a deletion that would leave the table without a row is
    // refused and nothing is deleted. Failed leaves the engine's words in lastError().
    Deletion deleteRows(const QList<int>& rows, bool keepOne = false);

    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool select() override;
    bool submit() override;
    bool canFetchMore(const QModelIndex& parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;

protected:
    bool insertRowIntoTable(const QSqlRecord& values) override;
    bool updateRowInTable(int row, const QSqlRecord& values) override;
    bool deleteRowFromTable(int row) override;

private:
    bool fileUnchanged();
    bool readyToWrite();
    void finishReading();
    bool reselect(int depth);
    QString keyField() const;
    bool deleteKeys(const QVariantList& keys, bool keepOne, bool* emptied);

    QByteArray fileId; // which file was open at the last select
    std::optional<Qt::SortOrder> keyOrder;
    int staleDepth = -1; // rows read when a write ended the select; -1 while it is current
};

} // namespace store
