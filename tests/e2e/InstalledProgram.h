#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace e2e {

// The built program as a person installs it: a copy in a program folder of its own, with a fresh
// database made by quil-dbinit and the banner movie beside it, started on a given X display.
class InstalledProgram {
public:
    // binDir: the build's folder of executables (program, quil-dbinit, quil.swf).
    explicit InstalledProgram(const QString& binDir);
    ~InstalledProgram();
    InstalledProgram(const InstalledProgram&) = delete;
    InstalledProgram& operator=(const InstalledProgram&) = delete;

    // False, with error() set, when the folder cannot be made ready.
    bool install();
    bool start(const QString& display);
    // Waits for the program to end by itself.
    bool waitForEnd(int timeoutMs);

    bool running() const { return process.state() != QProcess::NotRunning; }
    int exitCode() const { return process.exitCode(); }
    QString databasePath() const;
    QString folder() const { return dir.path(); }
    // What the program said on its error channel, and whether it still runs: the context of a
    // step that failed.
    QString state() const;
    QString error() const { return lastError; }

private:
    QString logPath() const;
    bool fail(const QString& text);

    QString bin;
    QTemporaryDir dir;
    QProcess process;
    QString lastError;
};

} // namespace e2e
