#pragma once

#include <QSqlTableModel>

namespace store {

// The table model behind a data control's grid. It fetches lazily, so its select statement
// stays open while rows remain unfetched, holding the snapshot of the file it started with.
// Before a write through the grid, QSqlTableModel resets that statement so that the write
// can proceed; reading on after the reset would start the select over, and the grid would
// show its first rows twice. So every write of the grid first reads the rest of the table.
// A grid write also refuses to go to a file removed or replaced since the grid was filled.
class GridModel : public QSqlTableModel {
    Q_OBJECT
public:
    GridModel(QObject* parent, const QSqlDatabase& db);

    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool select() override;

protected:
    bool insertRowIntoTable(const QSqlRecord& values) override;
    bool updateRowInTable(int row, const QSqlRecord& values) override;
    bool deleteRowFromTable(int row) override;

private:
    void releaseSnapshot();
    bool readyToWrite();

    QByteArray fileId; // which file was open at the last select
};

} // namespace store
