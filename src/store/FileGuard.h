#pragma once

#include "store/FileHeader.h"

#include <QSqlDatabase>
#include <QString>

namespace store {

// What this run of the program knows each database file to be, from the first connection
// opened to it until the last one closes: which inode the path names, the file's ids, and the
// highest change counter seen. A file replaced by any means (a rename over it, a copy into
// it, a restored backup, another program's copy) no longer matches, and nothing is written to
// it. Other programs' writes to the same file only raise its counter, and stay welcome.
namespace fileGuard {

// Before a connection to path opens: the file is checked (a regular SQLite file with the
// rollback journal) and, when another connection of this run has it open already, compared
// with what is known.
bool opening(const QString& path, QString* error);
// Once the connection is open, before it reads: no side file that is not the file's own.
bool checkSideFiles(const QSqlDatabase& db, const QString& path, QString* error);
// Once the connection has read the file: takes its state, or refuses one older than known.
bool opened(const QSqlDatabase& db, const QString& path, QString* error);
// After the connection closed again (one call for each successful opening).
void closed(const QString& path);

// Just before db, a connection to path, writes: false when the file is no longer the one known.
bool beforeWrite(const QSqlDatabase& db, const QString& path, QString* error);
// After a write through db was committed.
void afterWrite(const QSqlDatabase& db, const QString& path);

// The error of a write refused because the file is not the one opened.
QString replacedError();

} // namespace fileGuard
} // namespace store
