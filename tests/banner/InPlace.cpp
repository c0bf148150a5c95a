#include "InPlace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace bannertest {

namespace {

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// A socket file stays behind once its socket is closed; nothing listens on it.
bool makeSocket(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

} // namespace

bool putInPlace(InPlace what, const QString& path, QString* fifo) {
    const QString beside = QFileInfo(path).dir().filePath(QStringLiteral("pipe"));
    switch (what) {
    case InPlace::Nothing:
        return true;
    case InPlace::LinkToNothing:
        return QFile::link(QStringLiteral("gone.swf"), path);
    case InPlace::Fifo:
        *fifo = path;
        return makeFifo(path);
    case InPlace::Directory:
        return QDir().mkdir(path);
    case InPlace::Socket:
        return makeSocket(path);
    case InPlace::LinkToZeroDevice:
        return QFile::link(QStringLiteral("/dev/zero"), path);
    case InPlace::LinkToFifo:
        *fifo = beside;
        return makeFifo(beside) && QFile::link(beside, path);
    }
    return false;
}

FifoRescue::FifoRescue(const QString& fifo) {
    if (!fifo.isEmpty())
        watcher = std::thread(&FifoRescue::watch, this, QFile::encodeName(fifo));
}

FifoRescue::~FifoRescue() {
    {
        const std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    if (watcher.joinable())
        watcher.join();
}

bool FifoRescue::rescued() {
    const std::lock_guard lock(mutex);
    return letGo;
}

void FifoRescue::watch(const QByteArray& fifo) {
    std::unique_lock lock(mutex);
    if (finished.wait_for(lock, std::chrono::seconds(1), [this] { return done; }))
        return;
    // Without a reader waiting the open fails at once, and nothing needs letting go.
    const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        letGo = true;
        ::close(fd);
    }
}

} // namespace bannertest
