#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace bannertest {

// What lies where the program looks for its movie.
enum class InPlace {
    Nothing,
    LinkToNothing,
    Fifo,
    Directory,
    Socket,
    LinkToZeroDevice, // a symbolic link to /dev/zero, a device that never ends
    LinkToFifo,
};

// Puts it at path; a FIFO is made beside it when the case needs one, and its path is
// returned in fifo. False when the system would not make it.
bool putInPlace(InPlace what, const QString& path, QString* fifo);

// Should the banner open the FIFO for reading and wait there for a writer, this opens the
// writing end after a second: the case then fails instead of hanging. Does nothing without a
// FIFO.
class FifoRescue {
public:
    explicit FifoRescue(const QString& fifo);
    ~FifoRescue();
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;

    // Whether a reader was waiting and had to be let go.
    bool rescued();

private:
    void watch(const QByteArray& fifo);

    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool letGo = false;
    std::thread watcher;
};

} // namespace bannertest
