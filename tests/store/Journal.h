#pragma once

// A journal of an unfinished write made by hand, as the engine leaves one when a program dies
// between writing the file and finishing its transaction: a header and the original first
// page, with the record's checksum the engine checks before it rolls the page back.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace storetest {

inline QByteArray firstPage(const QString& databasePath, int pageSize = 4096) {
    QFile file(databasePath);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(databasePath));
    return file.read(pageSize);
}

inline void writeJournal(const QString& journalPath, const QByteArray& page, quint32 pages) {
    const quint32 nonce = 0x1234567u;
    const int sector = 512;
    QByteArray journal(sector, '\0');
    const char magic[] = "\xd9\xd5\x05\xf9\x20\xa1\x63\xd7";
    memcpy(journal.data(), magic, 8);
    auto put = [&journal](int at, quint32 value) {
        qToBigEndian(value, reinterpret_cast<uchar*>(journal.data()) + at);
    };
    put(8, 1);      // one record
    put(12, nonce); // the checksum's seed
    put(16, pages); // the file's size in pages when the write began
    put(20, sector);
    put(24, quint32(page.size()));
    QByteArray record(4, '\0');
    qToBigEndian(quint32(1), reinterpret_cast<uchar*>(record.data()));
    record += page;
    quint32 checksum = nonce;
    for (int i = int(page.size()) - 200; i > 0; i -= 200)
        checksum += quint8(page.at(i));
    QByteArray sum(4, '\0');
    qToBigEndian(checksum, reinterpret_cast<uchar*>(sum.data()));
    journal += record + sum;
    QFile file(journalPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(journal) != journal.size())
        qFatal("cannot write %s", qPrintable(journalPath));
}

// Empty for anything but a regular file: opening a FIFO would wait for a writer.
inline QByteArray bytesOf(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    // In place, as cp does: the same inode, new content.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace storetest
