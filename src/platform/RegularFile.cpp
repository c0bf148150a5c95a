#include "platform/RegularFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

QString notRegular(mode_t mode) {
    const char* kind = S_ISFIFO(mode)   ? "a FIFO"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISDIR(mode)  ? "a directory"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "of an unknown kind";
    return QStringLiteral("it is %1, not a regular file").arg(QLatin1String(kind));
}

// Why the open failed. A socket cannot be opened at all, and the system's words for that
// ("No such device or address") would not tell what lies there.
QString openFailure(const QByteArray& name, int failure) {
    struct stat info {};
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return notRegular(info.st_mode);
    return qt_error_string(failure);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() { ::close(fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

// Reads to the end, at most data's size; -1 with errno set on failure.
qsizetype readAll(int fd, QByteArray& data) {
    qsizetype got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, size_t(data.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

} // namespace

FileRead readRegularFile(const QString& path, qsizetype maxBytes, QByteArray* bytes,
                         QString* error) {
    const QByteArray name = QFile::encodeName(path);
    // No controlling terminal either: a terminal device in the file's place must not become
    // the program's.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int failure = errno;
        if (failure == ENOENT)
            return FileRead::Missing;
        *error = openFailure(name, failure);
        return FileRead::Refused;
    }
    const Descriptor file(fd);
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        *error = qt_error_string(errno);
        return FileRead::Refused;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = notRegular(info.st_mode);
        return FileRead::Refused;
    }
    if (info.st_size > maxBytes) {
        *error = QStringLiteral("the file is too large (%1 bytes)").arg(qint64(info.st_size));
        return FileRead::Refused;
    }
    // One byte past the limit is room enough to see a file that grew since the check.
    QByteArray data(maxBytes + 1, Qt::Uninitialized);
    const qsizetype got = readAll(file.fd, data);
    if (got < 0) {
        *error = qt_error_string(errno);
        return FileRead::Refused;
    }
    if (got > maxBytes) {
        *error = QStringLiteral("the file grew past %1 bytes while it was read").arg(maxBytes);
        return FileRead::Refused;
    }
    data.truncate(got);
    *bytes = std::move(data);
    return FileRead::Read;
}

} // namespace platform
