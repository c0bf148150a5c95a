#include "store/SideFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <optional>

namespace store {
namespace {

const QByteArray kJournalMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
constexpr int kJournalHeaderFields = 28;

enum class Journal { Harmless, Belongs, Foreign };

quint32 be32(const QByteArray& bytes, int at) {
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData()) + at);
}

// Finds the journal's copy of page 1 among the records of its first segment.
std::optional<QByteArray> journalPageOne(QFile& journal, const QByteArray& fields) {
    quint32 records = be32(fields, 8);
    const quint32 sector = be32(fields, 20);
    const quint32 pageSize = be32(fields, 24);
    if (sector < 32 || sector > 65536 || pageSize < 512 || pageSize > 65536)
        return std::nullopt;
    const qint64 recordBytes = 4 + qint64(pageSize) + 4;
    if (records == 0xffffffffu)
        records = quint32((journal.size() - sector) / recordBytes);
    for (quint32 i = 0; i < records; ++i) {
        if (!journal.seek(qint64(sector) + qint64(i) * recordBytes))
            break;
        const QByteArray record = journal.read(4 + 100);
        if (record.size() < 4 + 100)
            break;
        if (be32(record, 0) == 1)
            return record.mid(4);
    }
    return std::nullopt;
}

Journal judgeJournal(const QString& path, const FileHeader& file) {
    const QFileInfo info(path);
    if (!info.exists())
        return Journal::Harmless;
    if (!info.isFile()) // a FIFO there must never block the open
        return Journal::Foreign;
    QFile journal(path);
    if (!journal.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return QFileInfo::exists(path) ? Journal::Foreign : Journal::Harmless;
    const QByteArray fields = journal.read(kJournalHeaderFields);
    // The engine rolls back only a journal with a valid header that lists records.
    if (fields.isEmpty() || fields.at(0) == '\0' || fields.size() < kJournalHeaderFields ||
        !fields.startsWith(kJournalMagic) || be32(fields, 8) == 0)
        return Journal::Harmless;
    const std::optional<QByteArray> page = journalPageOne(journal, fields);
    FileHeader before;
    if (!page || !parseFileHeader(*page, &before) || !before.sameFileAs(file))
        return Journal::Foreign;
    const bool sameState = file.changeCounter == before.changeCounter ||
                           file.changeCounter == before.changeCounter + 1;
    return sameState ? Journal::Belongs : Journal::Foreign;
}

} // namespace

bool ownJournalBeside(const QString& path, const FileHeader& header) {
    return judgeJournal(path + QStringLiteral("-journal"), header) == Journal::Belongs;
}

QStringList sideFileFaults(const QString& path, const FileHeader& header,
                           const std::function<bool()>& writerActive) {
    QStringList faults;
    const QString log = path + QStringLiteral("-wal");
    const QFileInfo logInfo(log);
    if (logInfo.exists() || logInfo.isSymLink())
        faults << QStringLiteral("%1 lies beside the file: a write-ahead log that the engine would "
                                 "apply to it, and nothing shows that it belongs to this file. "
                                 "Move it out of the folder (keep it: it may hold rows of the "
                                 "file it came with).")
                      .arg(logInfo.absoluteFilePath());
    const QString journal = path + QStringLiteral("-journal");
    // Judged twice around the look at the writers' lock: a write that began in between
    // leaves a journal that only looks foreign.
    const auto foreign = [&] {
        return QFileInfo(journal).isSymLink() || judgeJournal(journal, header) == Journal::Foreign;
    };
    if (!writerActive() && foreign() && !writerActive() && foreign())
        faults << QStringLiteral("%1 lies beside the file: the journal of an unfinished write "
                                 "of another file, or of an earlier state of this one, which "
                                 "the engine would roll back into it. Move it out of the folder.")
                      .arg(QFileInfo(journal).absoluteFilePath());
    return faults;
}

} // namespace store
