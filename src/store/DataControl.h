#pragma once

#include "core/ConnectionString.h"
#include "store/GridModel.h"
#include "store/RecordSet.h"

#include <QObject>
#include <QSqlDatabase>
#include <memory>

namespace store {

// An invisible data control owned by a window: given a connection string and a record source
// "Select * from <table>", refreshed, then read through its record set or bound to a grid
// through its model. Each data control has a connection of its own to the file.
class DataControl : public QObject {
    Q_OBJECT
public:
    explicit DataControl(QObject* parent = nullptr);
    ~DataControl() override;

    void setConnectionString(const Connection& given);
    QString ConnectionString() const { return connection.text; }
    void setRecordSource(const QString& text);
    QString RecordSource() const { return recordSource; }

    // Opens the file read-write (never creating it), runs the query and positions the record
    // set on its first row. False, with error() set, when the file is missing, not a
    // database, not writable, or lacks the table.
    bool Refresh();
    // Valid after a successful Refresh.
    RecordSet* Recordset();

    // A table model over the record source on a connection of its own, fetched lazily by the
    // grid that shows it. May be asked for before the first Refresh, which then fills it.
    GridModel* model();

    QString databaseFile() const; // the file the connection string names
    QString tableName() const;    // the table named by the record source
    QString error() const;        // the engine's text of the last failure (or the record set's)

private:
    // ... implementation detail
    bool fail(const QString& text);
    bool openConnection(const QString& path);
    void closeConnections();
    bool probeTable(const QString& table);
    bool selectGrid();
    QString gridConnectionName() const;

    Connection connection;
    QString recordSource;
    QString connectionName;
    QString lastError;
    QString openedPath;    // the file the control's connection has open
    QByteArray openedId;   // which file that path named when it was opened
    QString refreshedPath; // the file and table of the last successful Refresh
    QString refreshedTable;
    QString gridPath;                     // the file the grid's connection has open
    std::unique_ptr<RecordSet> recordset; // never null: empty and at EOF until refreshed
    GridModel* gridModel = nullptr;
};

} // namespace store
