#include "store/EngineFile.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace store {
namespace {

sqlite3_file* engineFile(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    sqlite3_file* file = nullptr;
    if (!connection ||
        sqlite3_file_control(connection, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods)
        return nullptr;
    return file;
}

} // namespace

std::optional<FileHeader> headerThrough(const QSqlDatabase& db) {
    sqlite3_file* file = engineFile(db);
    if (!file)
        return std::nullopt;
    QByteArray bytes(100, '\0');
    if (file->pMethods->xRead(file, bytes.data(), int(bytes.size()), 0) != SQLITE_OK)
        return std::nullopt;
    FileHeader header;
    if (!parseFileHeader(bytes, &header))
        return std::nullopt;
    return header;
}

bool writerActive(const QSqlDatabase& db) {
    sqlite3_file* file = engineFile(db);
    int reserved = 0;
    return file && file->pMethods->xCheckReservedLock(file, &reserved) == SQLITE_OK && reserved;
}

} // namespace store
