#include "store/DataControl.h"

#include "core/ConnectionString.h"
#include "store/FileGuard.h"
#include "store/GridModel.h"
#include "store/Sqlite.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace store {
namespace {

// "Select * from <table>", the table name bare or in brackets, an optional closing ";".
const QRegularExpression& recordSourcePattern() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+)"
                       R"((?:\[([A-Za-z_][A-Za-z0-9_]*)\]|([A-Za-z_][A-Za-z0-9_]*))\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

DataControl::DataControl(QObject* parent)
    : QObject(parent), connectionName(sqlite::uniqueConnectionName(QStringLiteral("control"))),
      recordset(std::make_unique<RecordSet>(QSqlDatabase(), QString())) {}

DataControl::~DataControl() {
    // Everything that holds a handle of the connections goes before them.
    delete gridModel;
    gridModel = nullptr;
    recordset.reset();
    sqlite::drop(connectionName);
    sqlite::drop(gridConnectionName());
}

void DataControl::setConnectionString(const Connection& given) {
    connection = given;
}

void DataControl::setRecordSource(const QString& text) {
    recordSource = text;
}

QString DataControl::databaseFile() const {
    return connection.databaseFile;
}

QString DataControl::tableName() const {
    const QRegularExpressionMatch match = recordSourcePattern().match(recordSource);
    if (!match.hasMatch())
        return {};
    return match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
}

QString DataControl::error() const {
    return lastError.isEmpty() ? recordset->error() : lastError;
}

RecordSet* DataControl::Recordset() {
    return recordset.get();
}

bool DataControl::Refresh() {
    const QString path = databaseFile();
    const QString table = tableName();
    if (path.isEmpty())
        return fail(QStringLiteral("the connection string names no data source"));
    if (table.isEmpty())
        return fail(QStringLiteral("unsupported record source \"%1\" (expected \"Select * from "
                                   "<table>\")")
                        .arg(recordSource));
    if (!openConnection(path) || !sqlite::checkWritable(path, &lastError) || !probeTable(table))
        return fail(lastError);
    refreshedPath = path;
    refreshedTable = table;
    if (gridModel && !selectGrid())
        return fail(lastError);
    *recordset = RecordSet(QSqlDatabase::database(connectionName, false), table);
    if (!recordset->MoveFirst())
        return fail(recordset->error());
    lastError.clear();
    return true;
}

GridModel* DataControl::model() {
    if (gridModel)
        return gridModel;
    if (!QSqlDatabase::contains(gridConnectionName()))
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), gridConnectionName());
    gridModel = new GridModel(this, QSqlDatabase::database(gridConnectionName(), false));
    if (!refreshedTable.isEmpty())
        selectGrid();
    return gridModel;
}

// A window whose policy passes the failure over goes on with an empty record set at its end
// and an empty grid; the connections are closed, so the next Refresh starts afresh.
bool DataControl::fail(const QString& text) {
    lastError = text;
    refreshedPath.clear();
    refreshedTable.clear();
    *recordset = RecordSet(QSqlDatabase(), QString());
    if (gridModel)
        gridModel->clear();
    closeConnections();
    return false;
}

void DataControl::closeConnections() {
    sqlite::close(gridConnectionName());
    gridPath.clear();
    sqlite::close(connectionName);
    openedPath.clear();
}

// An open connection keeps a removed or replaced file alive unseen, and opening the path afresh
// would quietly go on with another file. So a changed file is an error.
bool DataControl::openConnection(const QString& path) {
    if (openedPath == path && QSqlDatabase::database(connectionName, false).isOpen()) {
        // The same checks as before a write: a copy over the file keeps its inode.
        if (fileIdentity(path) == openedId &&
            fileGuard::beforeWrite(QSqlDatabase::database(connectionName, false), path, &lastError))
            return true;
        if (lastError.isEmpty())
            lastError = fileGuard::replacedError();
        return false;
    }
    closeConnections(); // the grid follows the control to the new file
    if (!sqlite::openExisting(connectionName, path, &lastError))
        return false;
    openedPath = path;
    openedId = fileIdentity(path);
    return true;
}

// Proves that the file is a database holding the table, in the engine's words when not.
bool DataControl::probeTable(const QString& table) {
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (query.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(sqlite::quoted(table))))
        return true;
    lastError = sqlite::errorText(query.lastError());
    return false;
}

// The grid reads through a connection of its own, so that its writes and the record set's
// never share a transaction.
bool DataControl::selectGrid() {
    QSqlDatabase db = QSqlDatabase::database(gridConnectionName(), false);
    if (gridPath != refreshedPath || !db.isOpen()) {
        gridPath.clear();
        if (!sqlite::openExisting(gridConnectionName(), refreshedPath, &lastError))
            return false;
        gridPath = refreshedPath;
    }
    if (gridModel->tableName() != refreshedTable)
        gridModel->setTable(refreshedTable);
    if (gridModel->select())
        return true;
    lastError = sqlite::errorText(gridModel->lastError());
    return false;
}

QString DataControl::gridConnectionName() const {
    return connectionName + QStringLiteral("-grid");
}

} // namespace store
