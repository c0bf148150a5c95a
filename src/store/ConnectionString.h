#pragma once

#include <QString>

namespace store {

inline const QString kDatabaseFileName = QStringLiteral("dbTWRes.mdb");

// The two spellings of the connection string. Form B has a leading blank and a closing ";".
QString connectionStringA(const QString& programFolder);
QString connectionStringB(const QString& programFolder);

// The file path named by "Data Source=" (key matched without regard to case or surrounding
// blanks), with "\" read as a folder separator. Empty when the string names no data source.
QString dataSourcePath(const QString& connectionString);

} // namespace store
