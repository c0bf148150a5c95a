#pragma once

#include <QDir>
#include <QString>

namespace store {

inline const QString kDatabaseFileName = QStringLiteral("dbTWRes.mdb");

// A connection string as the system spells it, and the file it names. The file travels beside
// the text, never parsed back out of it: a folder may hold ";", "\" or "=" and still reach the
// engine exactly as it is.
struct Connection {
    QString text;
    QString databaseFile; // empty: the string names no data source
};

// The two spellings of the connection string. Form B has a leading blank and a closing ";".
Connection connectionStringA(const QString& programFolder);
Connection connectionStringB(const QString& programFolder);

} // namespace store
