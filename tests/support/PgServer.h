#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace quiltest {

// A PostgreSQL server of the test's own: a cluster made by initdb in a temporary folder,
// listening on a Unix socket in that folder and on 127.0.0.1 at a free port, password
// authentication (scram-sha-256) for every connection, one superuser with a known password.
// PostgreSQL refuses to run as root: a test run as root runs it as nobody.
//
// It is gone when the fixture is: the destructor stops it and removes the folder, as after a
// failing check, which leaves the fixture's scope like any return. When the test process
// itself dies (a crash, an abort, a kill), the kernel kills the server at once (the server
// process carries a parent-death signal), and the next fixture of any test removes the folder
// it left.
class PgServer {
public:
    static inline const QString kSuperuser = QStringLiteral("quil_admin");
    static inline const QString kPassword = QStringLiteral("Fixture-Superuser-7f3c");

    // Makes the cluster and starts the server; see isUp.
    PgServer();
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Whether the cluster was made and the server accepts connections; else error() says why.
    bool isUp() const { return up; }
    QString error() const { return failure; }

    // Starts the server again (same folder, same port) and waits until it accepts.
    bool start();
    // pg_ctl stop -m fast; the server is killed if that does not end it. True when it ended
    // in an orderly way.
    bool stop();
    // pg_ctl stop -m immediate: the server ends without a checkpoint, as after a power cut.
    bool stopImmediately();
    // SIGKILL to the server's main process; its other processes end when they see it gone.
    void kill();
    bool isRunning() const;

    int port() const { return tcpPort; }
    QString folder() const { return dir.path(); } // holds the socket and the cluster
    qint64 processId() const;                     // of the server's main process; 0: none

    // URIs for QPSQL or the program: over TCP to 127.0.0.1, or through the socket folder.
    QString uri(const QString& database = QStringLiteral("postgres"),
                const QString& user = kSuperuser, const QString& password = kPassword) const;
    QString socketUri(const QString& database = QStringLiteral("postgres"),
                      const QString& user = kSuperuser, const QString& password = kPassword) const;

    // Runs each statement as the superuser on database; false with the engine's reason.
    bool exec(const QStringList& statements, QString* error,
              const QString& database = QStringLiteral("postgres")) const;
    // A new, empty database of its own for one test case; its name, or empty with *error.
    QString createDatabase(QString* error);

private:
    bool makeCluster();
    bool launch();
    bool waitUntilAccepting(int ms);
    bool runTool(const QString& tool, const QStringList& arguments, int ms, QString* output);
    QString dataFolder() const;
    QString logFile() const;
    QString logTail() const; // of the last launch

    QTemporaryDir dir;
    QString binFolder;
    int tcpPort = 0;
    int databases = 0;
    qint64 launchedAt = 0; // where the last launch's log begins
    bool up = false;
    QString failure;
    std::unique_ptr<QProcess> server;
};

// Removes the folders that fixtures of test processes no longer running left behind, after
// killing a server still running in one.
void sweepAbandonedServers();

} // namespace quiltest
