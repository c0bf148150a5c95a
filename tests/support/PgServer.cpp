#include "support/PgServer.h"

#include "support/Ports.h"
#include "support/ServerConnection.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace quiltest {
namespace {

// The unprivileged user that runs the server when the tests run as root.
constexpr uid_t kServerUser = 65534;  // nobody
constexpr gid_t kServerGroup = 65534; // nogroup

const QString kFolderPattern = QStringLiteral("quil-pg-");
const QString kOwnerFile = QStringLiteral("owner.pid");

bool runsAsRoot() {
    return ::geteuid() == 0;
}

// Debian's server binaries, the newest version installed; QUIL_PG_BINDIR names another.
QString findBinFolder() {
    const QString given = qEnvironmentVariable("QUIL_PG_BINDIR");
    if (!given.isEmpty())
        return given;
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    const QStringList names = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QString best;
    int newest = -1;
    for (const QString& name : names) {
        const QString bin = versions.filePath(name + QStringLiteral("/bin"));
        if (name.toInt() > newest && QFile::exists(bin + QStringLiteral("/postgres"))) {
            newest = name.toInt();
            best = bin;
        }
    }
    return best;
}

// The environment without libpq's variables, which would point a tool elsewhere.
QProcessEnvironment toolEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QStringList keys = env.keys();
    for (const QString& key : keys) {
        if (key.startsWith(QLatin1String("PG")))
            env.remove(key);
    }
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    return env;
}

// setpriv runs the tool as the server's user when the tests run as root, and gives it a
// parent-death signal after that change (a change of ids clears an earlier one): whatever
// ends the test process ends the tool too.
QStringList asServerUser(const QString& program, const QStringList& arguments) {
    QStringList command;
    if (runsAsRoot())
        command << QStringLiteral("--reuid=%1").arg(kServerUser)
                << QStringLiteral("--regid=%1").arg(kServerGroup)
                << QStringLiteral("--clear-groups");
    command << QStringLiteral("--pdeathsig=KILL") << QStringLiteral("--") << program;
    return command + arguments;
}

bool isAlive(qint64 pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QString encoded(const QString& part) {
    return QString::fromLatin1(QUrl::toPercentEncoding(part));
}

// The main process of the server in a cluster folder, from its lock file; 0 when none.
qint64 lockFileProcess(const QString& dataFolder) {
    QFile lock(dataFolder + QStringLiteral("/postmaster.pid"));
    if (!lock.open(QIODevice::ReadOnly))
        return 0;
    return lock.readLine().trimmed().toLongLong();
}

// Whether the process runs a program started with folder on its command line.
bool runsIn(qint64 pid, const QString& folder) {
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return cmdline.open(QIODevice::ReadOnly) &&
           cmdline.readAll().contains(QFile::encodeName(folder));
}

} // namespace

void sweepAbandonedServers() {
    QDir temp(QDir::tempPath());
    const QStringList names =
        temp.entryList({kFolderPattern + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QString folder = temp.filePath(name);
        QFile owner(QDir(folder).filePath(kOwnerFile));
        // Without its owner's id the folder may be one being made right now.
        if (!owner.open(QIODevice::ReadOnly))
            continue;
        const qint64 ownerPid = owner.readAll().trimmed().toLongLong();
        if (ownerPid <= 0 || isAlive(ownerPid))
            continue;
        const qint64 serverPid = lockFileProcess(folder + QStringLiteral("/data"));
        if (isAlive(serverPid) && runsIn(serverPid, folder))
            ::kill(pid_t(serverPid), SIGKILL);
        QDir(folder).removeRecursively();
    }
}

PgServer::PgServer()
    : dir(QDir(QDir::tempPath()).filePath(kFolderPattern + QStringLiteral("XXXXXX"))),
      binFolder(findBinFolder()) {
    sweepAbandonedServers();
    if (!dir.isValid()) {
        failure = QStringLiteral("cannot make a temporary folder: ") + dir.errorString();
        return;
    }
    QFile owner(dir.filePath(kOwnerFile));
    if (!owner.open(QIODevice::WriteOnly) ||
        owner.write(QByteArray::number(qint64(::getpid()))) <= 0) {
        failure = QStringLiteral("cannot write ") + owner.fileName();
        return;
    }
    owner.close();
    if (binFolder.isEmpty()) {
        failure = QStringLiteral("no PostgreSQL server is installed in /usr/lib/postgresql/*/bin "
                                 "(scripts/setup installs Debian's postgresql)");
        return;
    }
    up = makeCluster() && start();
}

PgServer::~PgServer() {
    stop();
    server.reset();
}

bool PgServer::makeCluster() {
    const QByteArray folder = QFile::encodeName(dir.path());
    if (runsAsRoot() && ::chown(folder.constData(), kServerUser, kServerGroup) != 0) {
        failure = QStringLiteral("cannot give %1 to the server's user: %2")
                      .arg(dir.path(), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const QString passwordFile = dir.filePath(QStringLiteral("superuser-password"));
    QFile file(passwordFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(kPassword.toUtf8() + '\n') <= 0) {
        failure = QStringLiteral("cannot write ") + passwordFile;
        return false;
    }
    file.close();
    if (runsAsRoot())
        ::chown(QFile::encodeName(passwordFile).constData(), kServerUser, kServerGroup);
    QString output;
    const bool made = runTool(QStringLiteral("initdb"),
                              {QStringLiteral("-D"), dataFolder(), QStringLiteral("-U"), kSuperuser,
                               QStringLiteral("--pwfile=") + passwordFile,
                               QStringLiteral("--auth=scram-sha-256"), QStringLiteral("--no-sync"),
                               QStringLiteral("--encoding=UTF8"), QStringLiteral("--locale=C")},
                              120000, &output);
    QFile::remove(passwordFile);
    if (!made)
        failure = QStringLiteral("initdb failed:\n") + output;
    return made;
}

bool PgServer::runTool(const QString& tool, const QStringList& arguments, int ms, QString* output) {
    QProcess process;
    process.setProcessEnvironment(toolEnvironment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral("setpriv"),
                  asServerUser(QDir(binFolder).filePath(tool), arguments));
    const bool finished = process.waitForFinished(ms);
    *output = QString::fromLocal8Bit(process.readAll());
    if (!finished) {
        process.kill();
        process.waitForFinished();
        *output += QStringLiteral("\n(%1 did not finish within %2 ms)").arg(tool).arg(ms);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PgServer::start() {
    if (isRunning())
        return true;
    if (tcpPort == 0)
        tcpPort = unusedPort();
    // After a kill the old server's processes may hold its shared memory for a moment, and
    // another program may have taken the port: tried again for a while.
    const QDeadlineTimer deadline(60000);
    for (int attempt = 0; !deadline.hasExpired(); ++attempt) {
        if (launch() && waitUntilAccepting(int(qMax<qint64>(deadline.remainingTime(), 1000))))
            return true;
        if (isRunning()) {
            failure = QStringLiteral("the server does not accept connections:\n") + logTail();
            server->kill();
            server->waitForFinished();
            return false;
        }
        const QString log = logTail();
        if (log.contains(QLatin1String("could not bind")) ||
            log.contains(QLatin1String("could not create any TCP/IP sockets")))
            tcpPort = unusedPort();
        else if (!log.contains(QLatin1String("shared memory block")) &&
                 !log.contains(QLatin1String("lock file")))
            break;
        QThread::msleep(200);
    }
    failure = QStringLiteral("the server did not start:\n") + logTail();
    return false;
}

bool PgServer::launch() {
    // Each launch's log is judged on its own.
    launchedAt = QFileInfo(logFile()).size();
    server = std::make_unique<QProcess>();
    server->setProcessEnvironment(toolEnvironment());
    server->setProcessChannelMode(QProcess::MergedChannels);
    server->setStandardOutputFile(logFile(), QIODevice::Append);
    server->setWorkingDirectory(dir.path());
    const QStringList options{
        QStringLiteral("-D"),
        dataFolder(),
        QStringLiteral("-k"),
        dir.path(),
        QStringLiteral("-h"),
        QStringLiteral("127.0.0.1"),
        QStringLiteral("-p"),
        QString::number(tcpPort),
        // A test server: nothing needs to outlive the machine, little memory, and its dynamic
        // shared memory in the folder, so that a killed server leaves nothing elsewhere.
        QStringLiteral("-c"),
        QStringLiteral("fsync=off"),
        QStringLiteral("-c"),
        QStringLiteral("shared_buffers=16MB"),
        QStringLiteral("-c"),
        QStringLiteral("dynamic_shared_memory_type=mmap"),
        QStringLiteral("-c"),
        QStringLiteral("max_connections=60"),
    };
    server->start(QStringLiteral("setpriv"),
                  asServerUser(QDir(binFolder).filePath(QStringLiteral("postgres")), options));
    return server->waitForStarted(10000);
}

bool PgServer::waitUntilAccepting(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (!isRunning())
            return false;
        QProcess ready;
        ready.setProcessEnvironment(toolEnvironment());
        ready.start(QDir(binFolder).filePath(QStringLiteral("pg_isready")),
                    {QStringLiteral("-q"), QStringLiteral("-h"), dir.path(), QStringLiteral("-p"),
                     QString::number(tcpPort)});
        if (ready.waitForFinished(5000) && ready.exitStatus() == QProcess::NormalExit &&
            ready.exitCode() == 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool PgServer::stop() {
    if (!isRunning())
        return true;
    QString output;
    const bool stopped = runTool(QStringLiteral("pg_ctl"),
                                 {QStringLiteral("stop"), QStringLiteral("-D"), dataFolder(),
                                  QStringLiteral("-m"), QStringLiteral("fast"),
                                  QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("30")},
                                 40000, &output);
    if (!server->waitForFinished(stopped ? 10000 : 0)) {
        server->kill();
        server->waitForFinished();
        return false;
    }
    return stopped;
}

bool PgServer::stopImmediately() {
    if (!isRunning())
        return true;
    QString output;
    const bool stopped =
        runTool(QStringLiteral("pg_ctl"),
                {QStringLiteral("stop"), QStringLiteral("-D"), dataFolder(), QStringLiteral("-m"),
                 QStringLiteral("immediate"), QStringLiteral("-w")},
                40000, &output);
    if (!server->waitForFinished(10000)) {
        server->kill();
        server->waitForFinished();
        return false;
    }
    return stopped;
}

void PgServer::kill() {
    if (!isRunning())
        return;
    server->kill();
    server->waitForFinished();
}

bool PgServer::isRunning() const {
    return server && server->state() != QProcess::NotRunning;
}

qint64 PgServer::processId() const {
    return isRunning() ? server->processId() : 0;
}

// Put together piece by piece: the percent-escapes of a part are no QString::arg markers.
QString PgServer::uri(const QString& database, const QString& user, const QString& password) const {
    return QStringLiteral("postgresql://") + encoded(user) + QLatin1Char(':') + encoded(password) +
           QStringLiteral("@127.0.0.1:") + QString::number(tcpPort) + QLatin1Char('/') +
           encoded(database);
}

QString PgServer::socketUri(const QString& database, const QString& user,
                            const QString& password) const {
    return QStringLiteral("postgresql://") + encoded(user) + QLatin1Char(':') + encoded(password) +
           QStringLiteral("@/") + encoded(database) + QStringLiteral("?host=") +
           encoded(dir.path()) + QStringLiteral("&port=") + QString::number(tcpPort);
}

bool PgServer::exec(const QStringList& statements, QString* error, const QString& database) const {
    ServerConnection connection(uri(database));
    bool ok = connection.isOpen();
    for (qsizetype i = 0; ok && i < statements.size(); ++i)
        ok = connection.exec(statements.at(i));
    if (!ok)
        *error = connection.error();
    return ok;
}

QString PgServer::createDatabase(QString* error) {
    const QString name = QStringLiteral("quiltest_%1").arg(++databases);
    if (!exec({QStringLiteral("CREATE DATABASE ") + name}, error))
        return {};
    return name;
}

QString PgServer::dataFolder() const {
    return dir.filePath(QStringLiteral("data"));
}

QString PgServer::logFile() const {
    return dir.filePath(QStringLiteral("server.log"));
}

QString PgServer::logTail() const {
    QFile log(logFile());
    if (!log.open(QIODevice::ReadOnly) || !log.seek(launchedAt))
        return QStringLiteral("(no server log)");
    const QByteArray text = log.readAll();
    return QString::fromLocal8Bit(text.right(3000));
}

} // namespace quiltest
