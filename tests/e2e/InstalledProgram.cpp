#include "InstalledProgram.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

namespace e2e {
namespace {

const QString kProgram = QStringLiteral("quil-data-entry");
const QString kBanner = QStringLiteral("quil.swf");

} // namespace

InstalledProgram::InstalledProgram(const QString& binDir) : bin(binDir) {}

InstalledProgram::~InstalledProgram() {
    if (!running())
        return;
    process.kill();
    process.waitForFinished(5000);
}

QString InstalledProgram::databasePath() const {
    return dir.filePath(QStringLiteral("dbTWRes.mdb"));
}

QString InstalledProgram::logPath() const {
    return dir.filePath(QStringLiteral("program.log"));
}

bool InstalledProgram::install() {
    if (!dir.isValid())
        return fail(QStringLiteral("no temporary folder: ") + dir.errorString());
    const QDir from(bin);
    if (!QFile::copy(from.filePath(kProgram), dir.filePath(kProgram)))
        return fail(QStringLiteral("cannot copy %1 from %2").arg(kProgram, bin));
    // The banner is decoration: without it the program shows an empty strip.
    if (QFile::exists(from.filePath(kBanner)))
        QFile::copy(from.filePath(kBanner), dir.filePath(kBanner));

    QProcess dbinit;
    dbinit.start(from.filePath(QStringLiteral("quil-dbinit")),
                 {dir.path(), QStringLiteral("--admin-password"), QStringLiteral("e2e-admin")});
    if (!dbinit.waitForFinished(30000) || dbinit.exitCode() != 0)
        return fail(QStringLiteral("quil-dbinit failed: ") +
                    QString::fromLocal8Bit(dbinit.readAllStandardError()) + dbinit.errorString());
    return true;
}

bool InstalledProgram::start(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // A private runtime folder, so that the toolkit does not complain about a missing one.
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path());
    // Into a file: a pipe that nobody reads while the steps run could fill and stop the program.
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(logPath());
    process.start(dir.filePath(kProgram));
    if (!process.waitForStarted(30000))
        return fail(QStringLiteral("the program did not start: ") + process.errorString());
    return true;
}

bool InstalledProgram::waitForEnd(int timeoutMs) {
    if (running() && !process.waitForFinished(timeoutMs))
        return fail(
            QStringLiteral("the program was still running %1 s later").arg(timeoutMs / 1000));
    return true;
}

QString InstalledProgram::state() const {
    QFile log(logPath());
    const QString said =
        log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()).trimmed() : QString();
    const QString status =
        running() ? QStringLiteral("the program is running")
                  : QStringLiteral("the program has ended with code %1").arg(process.exitCode());
    return said.isEmpty() ? status : status + QStringLiteral("; it said: ") + said;
}

bool InstalledProgram::fail(const QString& text) {
    lastError = text;
    return false;
}

} // namespace e2e
