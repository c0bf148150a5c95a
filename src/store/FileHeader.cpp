#include "store/FileHeader.h"

#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {
namespace {

constexpr int kHeaderBytes = 100;
const QByteArray kMagic("SQLite format 3\0", 16);

QString notRegular(mode_t mode) {
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a FIFO, not a regular file");
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a regular file");
    return QStringLiteral("it is not a regular file");
}

QByteArray identityOf(const struct stat& info) {
    return QByteArray::number(qulonglong(info.st_dev)) + ':' +
           QByteArray::number(qulonglong(info.st_ino));
}

bool fail(QString* error, const QString& text) {
    *error = text;
    return false;
}

// The first bytes of the regular file at path, read from a descriptor that was checked to be
// that file.
bool readStart(const QString& path, FileHeader* header, QByteArray* bytes, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return fail(error,
                    errno == ENOENT
                        ? QStringLiteral("unable to open database file (the file does not exist)")
                        : QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(info.st_mode))
        return fail(error, notRegular(info.st_mode));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat opened {};
    bool ok = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
    if (!ok) {
        ::close(fd);
        return fail(error, QStringLiteral("the file changed while it was opened"));
    }
    bytes->resize(kHeaderBytes);
    const ssize_t got = ::pread(fd, bytes->data(), kHeaderBytes, 0);
    ::close(fd);
    bytes->resize(got < 0 ? 0 : int(got));
    header->size = qint64(opened.st_size);
    header->identity = identityOf(opened);
    return true;
}

} // namespace

QByteArray fileIdentity(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return identityOf(info);
}

bool parseFileHeader(const QByteArray& first100, FileHeader* header) {
    if (first100.size() < kHeaderBytes || !first100.startsWith(kMagic))
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(first100.constData());
    header->writeAheadLog = bytes[18] == 2 || bytes[19] == 2;
    header->changeCounter = qFromBigEndian<quint32>(bytes + 24);
    header->fileId = qFromBigEndian<qint32>(bytes + 60);
    header->applicationId = qFromBigEndian<qint32>(bytes + 68);
    return true;
}

std::optional<FileHeader> readFileHeader(const QString& path, QString* error) {
    FileHeader header;
    QByteArray bytes;
    if (!readStart(path, &header, &bytes, error))
        return std::nullopt;
    if (header.size == 0) {
        *error = QStringLiteral("the file is empty (0 bytes): it holds no database");
        return std::nullopt;
    }
    if (!parseFileHeader(bytes, &header)) {
        *error = QStringLiteral("file is not a database");
        return std::nullopt;
    }
    return header;
}

} // namespace store
