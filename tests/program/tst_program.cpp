// The real program binary, started in a folder of its own.
#include "store/Schema.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <grp.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QString binDir() {
    return qEnvironmentVariable("QUIL_BIN_DIR");
}

enum class Fixture { None, Empty, RandomBytes, WithoutResults, ReadOnly, ReadOnlyFolder, Good };

// A program folder with a copy of the program (its folder is where it looks for the database)
// and the database as the fixture says.
struct ProgramFolder {
    QTemporaryDir dir;
    QString program;

    explicit ProgramFolder(Fixture fixture, const QString& parent = QDir::tempPath())
        : dir(QDir(parent).filePath(QStringLiteral("quil-program-XXXXXX"))) {
        program = dir.filePath(QStringLiteral("quil-data-entry"));
        QFile::copy(QDir(binDir()).filePath(QStringLiteral("quil-data-entry")), program);
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadOther |
                                              QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        makeDatabase(fixture);
    }

    QString database() const { return dir.filePath(QStringLiteral("dbTWRes.mdb")); }

    void makeDatabase(Fixture fixture) {
        if (fixture == Fixture::None)
            return;
        if (fixture == Fixture::Empty) {
            QFile file(database());
            QVERIFY(file.open(QIODevice::WriteOnly));
            return;
        }
        if (fixture == Fixture::RandomBytes) {
            QFile file(database());
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray noise(8192, '\0');
            for (int i = 0; i < noise.size(); ++i)
                noise[i] = char((i * 7919 + 13) % 251);
            file.write(noise);
            return;
        }
        QString error;
        QVERIFY2(store::createDatabase(database(), QStringLiteral("admin"), &error),
                 qPrintable(error));
        if (fixture == Fixture::WithoutResults) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fixture");
                db.setDatabaseName(database());
                QVERIFY(db.open());
                QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP TABLE tblRem")));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
        }
        if (fixture == Fixture::ReadOnly)
            QFile::setPermissions(database(),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        // Anyone may write the file, but the folder is root's alone.
        if (fixture == Fixture::ReadOnlyFolder)
            QFile::setPermissions(database(), QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ReadGroup | QFile::WriteGroup |
                                                  QFile::ReadOther | QFile::WriteOther);
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// As root, under an ordinary user when asked, since root may write to any file.
void startAs(QProcess& process, bool asOrdinaryUser, const QString& program,
             const QStringList& arguments = {}) {
    if (asOrdinaryUser && ::geteuid() == 0)
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                  QStringLiteral("--clear-groups"), program} +
                          arguments);
    else
        process.start(program, arguments);
}

const QString kAnswerBoxes = QStringLiteral("--answer-boxes");

// Starts the program offscreen, where nobody can answer its boxes: they are answered on stderr
// unless told otherwise. The settings files of the machine and its user are not looked at.
void start(QProcess& process, const ProgramFolder& folder, bool asOrdinaryUser = false,
           const QStringList& arguments = {kAnswerBoxes}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.dir.filePath(QStringLiteral("user")));
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), folder.dir.filePath(QStringLiteral("system")));
    process.setProcessEnvironment(env);
    startAs(process, asOrdinaryUser, folder.program, arguments);
}

// A group id no group of this machine has, so that the ordinary user is no member of it.
gid_t unusedGroupId() {
    for (gid_t id = 47000; id < 60000; ++id) {
        if (!::getgrgid(id))
            return id;
    }
    return gid_t(-1);
}

bool honoursSetgid(const QString& folder) {
    struct statvfs info {};
    return ::statvfs(QFile::encodeName(folder).constData(), &info) == 0 &&
           !(info.f_flag & ST_NOSUID);
}

bool setAccess(const QString& path, gid_t group, mode_t mode) {
    const QByteArray name = QFile::encodeName(path);
    // chown clears the setgid bit: the mode comes after it.
    return ::chown(name.constData(), 0, group) == 0 && ::chmod(name.constData(), mode) == 0;
}

// Reads the program's error output until it holds text; false once ms have passed.
bool waitForError(QProcess& process, const QString& text, QString* log, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!log->contains(text)) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(100);
        *log += QString::fromLocal8Bit(process.readAllStandardError());
    }
    return true;
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    void badDatabaseEndsWithAClearMessage_data();
    void badDatabaseEndsWithAClearMessage();
    void opensADatabaseMadeByDbinit();
    void setgidInstallUsesTheGroupsDatabase();
    void saysSoWithoutADisplay();
    void boxesWaitForAnAnswerUnlessToldOtherwise();
    void startsPastAFifoInPlaceOfTheBanner();
    void brokenSettingsEndTheStart_data();
    void brokenSettingsEndTheStart();
};

void ProgramTest::badDatabaseEndsWithAClearMessage_data() {
    QTest::addColumn<Fixture>("fixture");
    QTest::addColumn<QString>("engineSays");
    QTest::newRow("missing file") << Fixture::None << "unable to open database file";
    QTest::newRow("random bytes") << Fixture::RandomBytes << "file is not a database";
    QTest::newRow("no results table") << Fixture::WithoutResults << "the table tblRem is missing";
    QTest::newRow("zero-byte file") << Fixture::Empty << "the file is empty (0 bytes)";
    QTest::newRow("read-only file") << Fixture::ReadOnly << "readonly";
    QTest::newRow("read-only folder")
        << Fixture::ReadOnlyFolder << "is read-only: the engine keeps its journal";
}

void ProgramTest::badDatabaseEndsWithAClearMessage() {
    QFETCH(Fixture, fixture);
    QFETCH(QString, engineSays);
    ProgramFolder folder(fixture);
    const QStringList before = folder.files();
    QFile file(folder.database());
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();

    QProcess program;
    start(program, folder, fixture == Fixture::ReadOnly || fixture == Fixture::ReadOnlyFolder);
    QVERIFY(program.waitForFinished(30000));
    const QString stderrText = QString::fromLocal8Bit(program.readAllStandardError());

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QVERIFY2(stderrText.contains(folder.database()), qPrintable(stderrText));
    QVERIFY2(stderrText.contains(engineSays, Qt::CaseInsensitive), qPrintable(stderrText));
    QCOMPARE(folder.files(), before);
    QVERIFY(!file.exists() || file.open(QIODevice::ReadOnly));
    QCOMPARE(file.exists() ? file.readAll() : QByteArray(), bytes); // left byte for byte
}

void ProgramTest::opensADatabaseMadeByDbinit() {
    ProgramFolder folder(Fixture::None);
    QProcess dbinit;
    dbinit.start(
        QDir(binDir()).filePath(QStringLiteral("quil-dbinit")),
        {folder.dir.path(), QStringLiteral("--admin-password"), QStringLiteral("password")});
    QVERIFY(dbinit.waitForFinished(30000));
    QCOMPARE(dbinit.exitCode(), 0);

    QProcess program;
    start(program, folder);
    QVERIFY(program.waitForStarted());
    // Still running after its load: the database was accepted.
    QVERIFY2(!program.waitForFinished(2000), program.readAllStandardError().constData());
    program.kill();
    program.waitForFinished();
}

// Installed as the README says for a shared machine: the ordinary user cannot read the
// database, the program setgid to its group can; and nothing its caller sets makes the
// program look for plugins in the caller's folders.
void ProgramTest::setgidInstallUsesTheGroupsDatabase() {
    if (::geteuid() != 0)
        QSKIP("installing a program setgid needs root");
    QString parent = QDir::tempPath();
    if (!honoursSetgid(parent))
        parent = binDir();
    if (!honoursSetgid(parent))
        QSKIP("neither the temporary folder nor the build is on a mount that honours setgid");
    const gid_t group = unusedGroupId();
    QVERIFY(group != gid_t(-1));
    ProgramFolder folder(Fixture::None, parent);
    const QString password = QStringLiteral("group-only password");
    QString error;
    QVERIFY2(
        store::createDatabase(
            folder.database(), password, &error,
            {QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup, group}),
        qPrintable(error));
    // The group writes the folder: the engine creates its journal beside the file.
    QVERIFY(setAccess(folder.dir.path(), group, 02775));

    QProcess cat;
    startAs(cat, true, QStringLiteral("cat"), {folder.database()});
    QVERIFY(cat.waitForFinished(10000));
    QVERIFY2(cat.exitCode() != 0 && !cat.readAllStandardOutput().contains(password.toUtf8()),
             "the ordinary user reads the database");

    const QString callerFolder = folder.dir.filePath(QStringLiteral("caller-plugins"));
    const QString callerArgument = folder.dir.filePath(QStringLiteral("caller-argument"));
    QVERIFY(QDir().mkpath(callerFolder + QStringLiteral("/platforms")));
    QVERIFY(QDir().mkpath(callerArgument));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), callerFolder);
    env.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
    const QStringList arguments{QStringLiteral("-platformpluginpath"), callerArgument,
                                kAnswerBoxes};

    for (const bool setgid : {false, true}) {
        QVERIFY(setAccess(folder.program, group, setgid ? 02755 : 0755));
        QProcess program;
        program.setProcessEnvironment(env);
        startAs(program, true, folder.program, arguments);
        QVERIFY(program.waitForStarted());
        // Running after its load: the database was accepted.
        const bool running = !program.waitForFinished(3000);
        program.kill();
        program.waitForFinished();
        const QString stderrText = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(stderrText.contains(QLatin1String("checking directory path")),
                 qPrintable(stderrText.left(2000)));
        if (setgid) {
            QVERIFY2(running, qPrintable(stderrText.right(2000)));
            QVERIFY2(!stderrText.contains(QLatin1String("caller-")),
                     qPrintable(stderrText.left(4000)));
        } else {
            QVERIFY2(!running && stderrText.contains(folder.database()),
                     qPrintable(stderrText.right(2000)));
            // Without raised ids the caller's folders are honoured: the check above can fail.
            QVERIFY(stderrText.contains(callerFolder) && stderrText.contains(callerArgument));
        }
    }
}

void ProgramTest::saysSoWithoutADisplay() {
    ProgramFolder folder(Fixture::Good);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(variable));
    program.setProcessEnvironment(env);
    program.start(folder.program);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 1);
    const QString stderrText = QString::fromLocal8Bit(program.readAllStandardError()).trimmed();
    QVERIFY2(stderrText.contains(QStringLiteral("no display")), qPrintable(stderrText));
    QVERIFY2(!stderrText.contains(QLatin1Char('\n')), qPrintable(stderrText));
}

// Offscreen nobody sees a box. Told to, the program answers each and writes it out; untold, it
// says once that boxes will wait, and the box waits: nothing is answered unseen.
void ProgramTest::boxesWaitForAnAnswerUnlessToldOtherwise() {
    ProgramFolder folder(Fixture::None);
    QProcess told;
    start(told, folder);
    QVERIFY(told.waitForFinished(30000));
    QCOMPARE(told.exitCode(), 1);
    const QString answered = QString::fromLocal8Bit(told.readAllStandardError());
    QVERIFY2(answered.contains(QLatin1String("critical box \"Quil's Data Entry\", answered OK")),
             qPrintable(answered));
    QVERIFY2(!answered.contains(QLatin1String("will wait")), qPrintable(answered));

    QProcess untold;
    untold.setReadChannel(QProcess::StandardError);
    start(untold, folder, false, {});
    QVERIFY(untold.waitForStarted());
    QString log;
    const bool warned =
        waitForError(untold, QStringLiteral("message boxes will wait"), &log, 20000);
    const bool waits = warned && !untold.waitForFinished(2000);
    untold.kill();
    untold.waitForFinished();
    QVERIFY2(warned && waits,
             qPrintable(log + QString::fromLocal8Bit(untold.readAllStandardError())));
    QVERIFY2(!log.contains(QLatin1String("\", answered ")), qPrintable(log));
}

// A FIFO named like the banner movie: the load refuses it without waiting for a writer, and the
// program runs on without its banner.
void ProgramTest::startsPastAFifoInPlaceOfTheBanner() {
    ProgramFolder folder(Fixture::Good);
    const QString movie = folder.dir.filePath(QStringLiteral("quil.swf"));
    QCOMPARE(::mkfifo(QFile::encodeName(movie).constData(), 0600), 0);

    QProcess program;
    program.setReadChannel(QProcess::StandardError);
    start(program, folder);
    QVERIFY(program.waitForStarted());
    QString log;
    const bool refused = waitForError(
        program, movie + QStringLiteral(" cannot be played: it is a FIFO"), &log, 20000);
    const bool runsOn = refused && !program.waitForFinished(1000);
    program.kill();
    program.waitForFinished();
    QVERIFY2(refused, qPrintable(log));
    QVERIFY2(runsOn, qPrintable(log));
}

void ProgramTest::brokenSettingsEndTheStart_data() {
    QTest::addColumn<QString>("place"); // below the program folder
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("says");
    QTest::newRow("a bad line in the program folder")
        << "" << QByteArray("[store]\nserver postgresql://seat:hunter2@db/quil\n")
        << "Line 2: the line is neither";
    QTest::newRow("a bad URI in the user's folder")
        << "user/quil-data-entry"
        << QByteArray("; room 4\n[store]\nserver = pgsql://seat:hunter2@db\n")
        << "Line 3: the server's URI: a server is named by a URI that starts with postgresql://";
    QTest::newRow("an unknown key in the system's folder")
        << "system/quil-data-entry" << QByteArray("[store]\nsrever = postgresql://db/quil\n")
        << "Line 2: unknown key \"srever\"";
}

// Before any window: one message naming the file and the line, exit code 1, no password shown,
// and no fall-back to the file beside the program (there is none here: the main window's load
// would say so).
void ProgramTest::brokenSettingsEndTheStart() {
    QFETCH(QString, place);
    QFETCH(QByteArray, text);
    QFETCH(QString, says);
    ProgramFolder folder(Fixture::None);
    const QString settingsFolder = folder.dir.filePath(place);
    QVERIFY(QDir().mkpath(settingsFolder));
    const QString settings = QDir(settingsFolder).filePath(QStringLiteral("quil-data-entry.conf"));
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();

    QProcess program;
    start(program, folder);
    QVERIFY(program.waitForFinished(30000));
    const QString stderrText = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QVERIFY2(stderrText.contains(QStringLiteral("The settings file could not be used")),
             qPrintable(stderrText));
    QVERIFY2(stderrText.contains(QStringLiteral("Settings file: ") + settings + QLatin1Char('\n') +
                                 says),
             qPrintable(stderrText));
    QVERIFY2(stderrText.contains(QLatin1String("critical box \"Quil's Data Entry\", answered OK")),
             qPrintable(stderrText));
    QVERIFY2(!stderrText.contains(QLatin1String("hunter2")), qPrintable(stderrText));
    QVERIFY2(!stderrText.contains(QLatin1String("The database could not be used")),
             qPrintable(stderrText));
}

QTEST_GUILESS_MAIN(ProgramTest)
#include "tst_program.moc"
