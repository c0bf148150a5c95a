#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace store {

// The fields of an SQLite file's first 100 bytes that tell which file it is and in which state.
struct FileHeader {
    qint64 size = 0;
    quint32 changeCounter = 0; // raised by every committed transaction under a rollback journal
    qint32 applicationId = 0;  // whose file it is ("QUIL" for ours, 0 for a file made before)
    qint32 fileId = 0;         // the file's own random id (its user_version)
    bool writeAheadLog = false;
    QByteArray identity; // device and inode

    bool sameFileAs(const FileHeader& other) const {
        return applicationId == other.applicationId && fileId == other.fileId;
    }
};

// Which file the path names at this moment (device and inode), found without opening it;
// empty when there is none.
QByteArray fileIdentity(const QString& path);

// Reads the header of the database file at path. Only a regular file is read (a symbolic link
// to one included): a FIFO, a device or a folder is refused before it is opened, and the open
// never blocks. nullopt, with the reason in *error, for anything that is not an SQLite file.
std::optional<FileHeader> readFileHeader(const QString& path, QString* error);

// The fields of a header read from other bytes: a journal's copy of the first page, or bytes
// read through the engine's own handle. False when they are no SQLite header.
bool parseFileHeader(const QByteArray& first100, FileHeader* header);

} // namespace store
