#pragma once

#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace store {

// What a workstation does to a table besides reading it: the rights a server grants it.
struct SeatRights {
    bool adds = false;    // registration, a result, the usage row at Exit
    bool deletes = false; // the admin window's grids
    QStringList edits;    // the columns the admin window's grids edit in place
};

// The one description of the database, for the file and the server alike: each table's key
// column "ID" followed by its named text columns, in this order. On a server, a table whose
// rows come through the seats' outbox has one more column after them, kRowIdColumn.
struct TableSchema {
    QString name;
    QStringList columns; // named columns after ID
    bool throughOutbox = false;
    SeatRights seat;
};
const QList<TableSchema>& schema();

// The id a seat gives each row it sends through its outbox, made on the seat without asking
// the server; unique on the server, so that a row sent again after a lost answer is never
// stored twice.
inline const QString kRowIdColumn = QStringLiteral("RowId");

enum class Engine { File, Server };

// The named columns of the table in that engine, in their order (after ID).
QStringList namedColumns(const TableSchema& table, Engine engine);

// CREATE TABLE for the table. The file: "ID" INTEGER PRIMARY KEY AUTOINCREMENT, TEXT
// columns. The server: "ID" a bigint identity primary key, text columns, and the row id a
// uuid, NOT NULL and UNIQUE; the table in the schema public.
QString createTableSql(const TableSchema& table, Engine engine);

// Who may use a new database file: by default its owner alone. A group given is the file's
// group, and its bits in permissions apply to it.
struct FileAccess {
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    gid_t group = gid_t(-1); // -1: the creator's group
};

// The file's application id (SQLite's header field): "QUIL". Its user_version holds a random
// id of the file itself, set once at creation.
constexpr qint32 kApplicationId = 0x5155494c;

// Creates a new database file at filePath with the four tables, the rollback journal, the
// file's ids and one tblAdm row holding adminPassword. Refuses to touch an existing file. On
// failure returns false, sets *error and leaves no file behind.
bool createDatabase(const QString& filePath, const QString& adminPassword, QString* error,
                    const FileAccess& access = {});

} // namespace store
