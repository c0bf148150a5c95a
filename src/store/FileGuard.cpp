#include "store/FileGuard.h"

#include "store/EngineFile.h"
#include "store/SideFiles.h"

#include <QFileInfo>
#include <QHash>

namespace store::fileGuard {
namespace {

struct Known {
    FileHeader header; // the highest change counter seen
    int connections = 0;
};

QHash<QString, Known>& knownFiles() {
    static QHash<QString, Known> files;
    return files;
}

QString keyOf(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

bool fail(QString* error, const QString& text) {
    *error = text;
    return false;
}

// The file at path now, against what is known of it.
bool matches(const Known& known, const FileHeader& now, const QByteArray& identity) {
    return identity == known.header.identity && now.sameFileAs(known.header) &&
           now.changeCounter >= known.header.changeCounter;
}

} // namespace

QString replacedError() {
    return QStringLiteral("the file was removed or replaced while Quil's Data Entry had it "
                          "open (moved, copied over or restored from a backup); nothing was "
                          "written to it");
}

bool opening(const QString& path, QString* error) {
    const std::optional<FileHeader> header = readFileHeader(path, error);
    if (!header)
        return false;
    if (header->writeAheadLog)
        return fail(error, QStringLiteral("the file uses a write-ahead log; Quil's Data Entry "
                                          "needs the rollback journal"));
    auto& files = knownFiles();
    const auto found = files.find(keyOf(path));
    if (found == files.end()) {
        // The counter is taken once the engine has read the file (opened): a journal of an
        // unfinished write is rolled back by then.
        FileHeader known = *header;
        known.changeCounter = 0;
        files.insert(keyOf(path), Known{known, 1});
        return true;
    }
    if (header->identity != found->header.identity || !header->sameFileAs(found->header))
        return fail(error, replacedError());
    ++found->connections;
    return true;
}

bool checkSideFiles(const QSqlDatabase& db, const QString& path, QString* error) {
    const std::optional<FileHeader> now = headerThrough(db);
    if (!now)
        return fail(error, replacedError());
    const QStringList faults = sideFileFaults(path, *now, [&db] { return writerActive(db); });
    return faults.isEmpty() || fail(error, faults.join(QLatin1Char('\n')));
}

bool opened(const QSqlDatabase& db, const QString& path, QString* error) {
    const auto found = knownFiles().find(keyOf(path));
    const std::optional<FileHeader> now = headerThrough(db);
    if (found == knownFiles().end() || !now || !matches(*found, *now, fileIdentity(path)))
        return fail(error, replacedError());
    found->header.changeCounter = now->changeCounter;
    return true;
}

void closed(const QString& path) {
    auto& files = knownFiles();
    const auto found = files.find(keyOf(path));
    if (found != files.end() && --found->connections <= 0)
        files.erase(found);
}

bool beforeWrite(const QSqlDatabase& db, const QString& path, QString* error) {
    const auto found = knownFiles().constFind(keyOf(path));
    if (found == knownFiles().constEnd())
        return fail(error, replacedError());
    // The path is looked at without opening it: closing a descriptor of ours would drop
    // every lock this process holds on the file.
    const std::optional<FileHeader> open = headerThrough(db);
    if (!open || !matches(*found, *open, fileIdentity(path)))
        return fail(error, replacedError());
    return checkSideFiles(db, path, error);
}

void afterWrite(const QSqlDatabase& db, const QString& path) {
    const auto found = knownFiles().find(keyOf(path));
    const std::optional<FileHeader> now = headerThrough(db);
    if (found != knownFiles().end() && now && now->changeCounter > found->header.changeCounter)
        found->header.changeCounter = now->changeCounter;
}

} // namespace store::fileGuard
