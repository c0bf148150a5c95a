#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>
#include <functional>
#include <optional>

namespace store {

// The table model behind a data control's grid. It reads the table in pages by key, each page
// one statement read to its end: nothing stays open between two pages, so a grid left half
// read for an hour never holds a lock or a snapshot of the file, and a writer elsewhere never
// waits for it. Opening a table of a million rows costs what opening a small one does.
//
// Edits are kept for the row being edited and stored, by key, when the grid leaves the row
// (submit). Deleted rows leave the rows read so far; the next page goes on below the last key
// read, so no row is shown twice or skipped. A write refuses to go to a file removed or
// replaced since it was opened.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(QObject* parent, const QSqlDatabase& db);

    void setTable(const QString& table);
    QString tableName() const { return table; }
    // Orders the rows by the table's key from every select on; Descending puts the newest row
    // first. The database sorts (by its key), so nothing is sorted in memory.
    void setKeyOrder(Qt::SortOrder order);
    // Reads the first page afresh; edits not yet stored are dropped.
    bool select();
    void clear();
    QSqlError lastError() const { return error; }
    int fieldIndex(const QString& field) const;

    // Asked before an edited value is stored: an empty text lets it pass, any other text is the
    // reason it is refused.
    using EditCheck = std::function<QString(int column, const QVariant& value)>;
    void setEditCheck(EditCheck check);

    enum class Deletion { Deleted, LastRowKept, Failed };
    Q_ENUM(Deletion)
    // Deletes the rows at these model rows from the table, by key and in one transaction. With
    // keepOne, a deletion that would leave the table without a row is refused and nothing is
    // deleted. Failed leaves the engine's words in lastError().
    Deletion deleteRows(const QList<int>& rows, bool keepOne = false);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool canFetchMore(const QModelIndex& parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;

public slots:
    // Stores the edited row; false (with lastError) when it was refused or failed.
    bool submit() override;
    // Drops the edits not yet stored.
    void revert() override;
    void revertAll() { revert(); }

private:
    struct Row {
        qint64 key = 0;
        QVariantList values;
    };
    struct Pending {
        int row = -1;
        QHash<int, QVariant> values;
    };

    bool fail(const QString& text, QSqlError::ErrorType type = QSqlError::StatementError);
    bool fail(const QSqlError& engineError);
    bool loadColumns();
    QList<Row> readRows(const QString& condition, const QVariantList& bound, int limit);
    bool readPage();
    bool storePending();
    bool deleteKeys(const QList<qint64>& keys, bool keepOne, bool* emptied);
    QString filePath() const;

    QSqlDatabase db;
    QString table;
    QStringList columns;
    Qt::SortOrder order = Qt::AscendingOrder;
    QList<Row> rows;
    bool atEnd = true;
    Pending pending;
    EditCheck editCheck;
    QSqlError error;
};

} // namespace store
