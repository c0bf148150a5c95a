#pragma once

#include <QProcess>
#include <QString>

namespace e2e {

// An X server of its own (Xvfb) on a free display number, so that the program runs with a real
// window system but on no one's screen. Stopped when this object goes.
class VirtualScreen {
public:
    VirtualScreen() = default;
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // False, with error() set, when the server does not start or names no display in time.
    // What the server says on its error channel goes to logFile.
    bool start(const QString& logFile, int timeoutMs);
    // ":N", valid after a successful start.
    QString display() const { return displayName; }
    QString error() const { return lastError; }

private:
    QProcess server;
    QString log;
    QString displayName;
    QString lastError;
};

} // namespace e2e
