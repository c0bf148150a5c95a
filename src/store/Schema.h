#pragma once

#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace store {

// The one description of the database: each table's key column "ID" (INTEGER PRIMARY KEY
// AUTOINCREMENT) followed by its named TEXT columns, in this order.
struct TableSchema {
    QString name;
    QStringList columns; // named columns after ID
};
const QList<TableSchema>& schema();

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
