#include "RawDatabase.h"

#include "core/ConnectionString.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using storetest::RawDatabase;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QString toolPath() {
    return QDir(qEnvironmentVariable("QUIL_BIN_DIR")).filePath(QStringLiteral("quil-dbinit"));
}

struct Launch {
    QByteArray input; // standard input; empty: /dev/null, no terminal to ask
    mode_t umask = 022;
    QString program = toolPath();

    static Launch withInput(const QByteArray& bytes) {
        Launch launch;
        launch.input = bytes;
        return launch;
    }
    static Launch withUmask(mode_t mask) {
        Launch launch;
        launch.umask = mask;
        return launch;
    }
    static Launch of(const QString& program) {
        Launch launch;
        launch.program = program;
        return launch;
    }
};

Run finished(QProcess& process) {
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = QStringLiteral("did not finish: ") + process.errorString();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Run runTool(const QStringList& arguments, const Launch& launch = {}) {
    QProcess process;
    if (launch.input.isEmpty())
        process.setStandardInputFile(QProcess::nullDevice());
    const mode_t mask = launch.umask;
    process.setChildProcessModifier([mask] { ::umask(mask); });
    process.start(launch.program, arguments);
    if (!launch.input.isEmpty()) {
        process.write(launch.input);
        process.closeWriteChannel();
    }
    return finished(process);
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QStringList adminPasswords(const QString& path) {
    QStringList passwords;
    const auto rows = RawDatabase(path).rows(QStringLiteral("SELECT Password FROM tblAdm"));
    for (const QVariantList& row : rows)
        passwords << row.value(0).toString();
    return passwords;
}

struct GroupId {
    QString name;
    gid_t id;
};

// A group other than this process's own that it may give a file to: a common one for root,
// else one the user is a member of.
std::optional<GroupId> otherGroup() {
    if (::geteuid() == 0) {
        for (const char* name : {"users", "adm", "nogroup", "daemon"}) {
            const group* entry = ::getgrnam(name);
            if (entry && entry->gr_gid != ::getegid())
                return GroupId{QString::fromUtf8(entry->gr_name), entry->gr_gid};
        }
        return std::nullopt;
    }
    gid_t groups[256];
    const int count = ::getgroups(256, groups);
    for (int i = 0; i < count; ++i) {
        const group* entry = ::getgrgid(groups[i]);
        if (entry && groups[i] != ::getegid())
            return GroupId{QString::fromUtf8(entry->gr_name), groups[i]};
    }
    return std::nullopt;
}

// A pseudo-terminal as the tool's standard input: the test types on its master side, and
// reads there whatever the terminal echoed.
class Terminal {
public:
    Terminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
    }
    ~Terminal() {
        for (const int fd : {slave_, master_}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool isOpen() const { return slave_ >= 0; }
    void becomeInputOf(QProcess& process) const {
        const int fd = slave_;
        process.setChildProcessModifier([fd] { ::dup2(fd, STDIN_FILENO); });
    }
    bool type(const QByteArray& keys) const {
        return ::write(master_, keys.constData(), size_t(keys.size())) == keys.size();
    }
    QByteArray echoed() const {
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        QByteArray text;
        char buffer[512];
        for (ssize_t got; (got = ::read(master_, buffer, sizeof buffer)) > 0;)
            text.append(buffer, got);
        return text;
    }

private:
    int master_ = -1;
    int slave_ = -1;
};

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

gid_t groupOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_gid : gid_t(-1);
}

QString describe(const Run& run) {
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3")
        .arg(run.exitCode)
        .arg(run.out, run.err);
}

} // namespace

class DbInitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void createsTheDatabase();
    void fileAccess_data();
    void fileAccess();
    void refusesToOverwrite();
    void makesUpAPasswordWithoutATerminal();
    void asksAtATerminal_data();
    void asksAtATerminal();
    void passwordFromAFile_data();
    void passwordFromAFile();
    void passwordRules_data();
    void passwordRules();
    void defaultsToItsOwnFolder();
    void badArguments_data();
    void badArguments();
    void help();
};

void DbInitTest::initTestCase() {
    QVERIFY2(QFileInfo(toolPath()).isExecutable(), qPrintable(toolPath()));
}

void DbInitTest::createsTheDatabase() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("program folder #1"));
    QVERIFY(QDir().mkpath(folder));
    const QString password = QStringLiteral("s3cret 'pass'");
    const Run run = runTool({folder, QStringLiteral("--admin-password"), password});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));

    const QString path = QDir(folder).filePath(store::kDatabaseFileName);
    QVERIFY2(run.out.contains(path), qPrintable(describe(run)));
    QVERIFY2(!run.out.contains(password), qPrintable(run.out)); // a given password is not echoed
    QCOMPARE(folderEntries(folder), QStringList{store::kDatabaseFileName});
    QCOMPARE(storetest::schemaMismatch(RawDatabase(path)), QString());
    QCOMPARE(adminPasswords(path), QStringList{password});
}

// The file holds the admin password: whatever the umask, it is its owner's alone, or its
// group's too when one is given.
void DbInitTest::fileAccess_data() {
    QTest::addColumn<bool>("withGroup");
    QTest::addColumn<int>("umask");
    QTest::addColumn<int>("mode");
    QTest::newRow("owner only, umask 000") << false << 0000 << 0600;
    QTest::newRow("owner only, umask 022") << false << 0022 << 0600;
    QTest::newRow("group, umask 077") << true << 0077 << 0660;
}

void DbInitTest::fileAccess() {
    QFETCH(bool, withGroup);
    QFETCH(int, umask);
    QFETCH(int, mode);
    const std::optional<GroupId> group = withGroup ? otherGroup() : std::nullopt;
    if (withGroup && !group)
        QSKIP("no group other than the user's own to give the file to");
    QTemporaryDir dir;
    QStringList arguments{dir.path(), QStringLiteral("--admin-password"),
                          QStringLiteral("access-test")};
    if (group)
        arguments << QStringLiteral("--group") << group->name;
    const Run run = runTool(arguments, Launch::withUmask(mode_t(umask)));
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));

    const QString path = dir.filePath(store::kDatabaseFileName);
    QCOMPARE(modeOf(path), mode_t(mode));
    QCOMPARE(groupOf(path), group ? group->id : ::getegid());
    QCOMPARE(folderEntries(dir.path()), QStringList{store::kDatabaseFileName});
}

void DbInitTest::refusesToOverwrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath(store::kDatabaseFileName);
    QVERIFY(
        runTool({dir.path(), QStringLiteral("--admin-password"), QStringLiteral("first-password")})
            .exitCode == 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const Run again = runTool(
        {dir.path(), QStringLiteral("--admin-password"), QStringLiteral("second-password")});
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.contains(path) && again.err.contains(QLatin1String("already exists")),
             qPrintable(describe(again)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(adminPasswords(path), QStringList{QStringLiteral("first-password")});
}

void DbInitTest::makesUpAPasswordWithoutATerminal() {
    const QRegularExpression printed(QStringLiteral("^Admin password: ([A-HJ-NP-Za-km-z2-9]{12})$"),
                                     QRegularExpression::MultilineOption);
    QStringList made;
    for (int i = 0; i < 2; ++i) {
        QTemporaryDir dir;
        const Run run = runTool({dir.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        const QRegularExpressionMatch match = printed.match(run.out);
        QVERIFY2(match.hasMatch(), qPrintable(run.out));
        QCOMPARE(run.out.count(QLatin1String("Admin password:")), 1);
        QCOMPARE(adminPasswords(dir.filePath(store::kDatabaseFileName)),
                 QStringList{match.captured(1)});
        made << match.captured(1);
    }
    QVERIFY2(made.at(0) != made.at(1), qPrintable(made.join(QLatin1Char(' '))));
}

// Lines typed at a terminal, each after its prompt; "\x04" ends the input.
void DbInitTest::asksAtATerminal_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("errorPart"); // empty: accepted
    QTest::newRow("typed twice") << QStringList{"Terminal pw 1", "Terminal pw 1"} << "";
    QTest::newRow("typed differently")
        << QStringList{"Terminal pw 1", "Terminal pw 2"} << "the two passwords differ";
    QTest::newRow("too short, not asked again") << QStringList{"short"} << "too short";
    QTest::newRow("input ends") << QStringList{"\x04"} << "no admin password given";
}

void DbInitTest::asksAtATerminal() {
    QFETCH(QStringList, typed);
    QFETCH(QString, errorPart);
    Terminal terminal;
    QVERIFY(terminal.isOpen());
    QTemporaryDir dir;
    QProcess process;
    terminal.becomeInputOf(process);
    process.setReadChannel(QProcess::StandardError); // where the prompts go
    process.start(toolPath(), {dir.path()});
    QString prompts;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        while (prompts.count(QLatin1String("Admin password")) <= i) {
            QVERIFY2(process.waitForReadyRead(10000), qPrintable(prompts));
            prompts += QString::fromUtf8(process.readAllStandardError());
        }
        const QByteArray line = typed.at(i).toUtf8();
        QVERIFY(terminal.type(line == "\x04" ? line : line + '\n'));
    }
    Run run = finished(process);
    run.err.prepend(prompts);

    const QByteArray echoed = terminal.echoed();
    for (const QString& line : typed)
        QVERIFY2(!echoed.contains(line.toUtf8()), echoed.constData());
    const QString path = dir.filePath(store::kDatabaseFileName);
    if (errorPart.isEmpty()) {
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QVERIFY2(!run.out.contains(typed.first()), qPrintable(run.out));
        QCOMPARE(adminPasswords(path), QStringList{typed.first()});
    } else {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(errorPart), qPrintable(describe(run)));
        QCOMPARE(run.err.count(QLatin1String("Admin password")), typed.size());
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }
}

void DbInitTest::passwordFromAFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("viaInput");    // "-": standard input
    QTest::addColumn<QString>("expected"); // the stored password, or a part of the error
    QTest::newRow("first of two lines")
        << QByteArray("File password\nsecond\n") << false << "File password";
    QTest::newRow("CR LF") << QByteArray("Windows password\r\n") << false << "Windows password";
    QTest::newRow("no line end") << QByteArray("No line end") << false << "No line end";
    QTest::newRow("UTF-8, with BOM") << QByteArray("\xef\xbb\xbfP\xc3\xa4sswort \xe2\x82\xac\n")
                                     << false << QString::fromUtf8("P\u00e4sswort \u20ac");
    QTest::newRow("standard input")
        << QByteArray("Piped password\r\nrest\n") << true << "Piped password";
    QTest::newRow("empty file") << QByteArray() << false << "is empty";
    QTest::newRow("empty first line") << QByteArray("\nSecond line pw\n") << false << "is empty";
    QTest::newRow("short first line") << QByteArray("short\n") << false << "too short";
    QTest::newRow("not UTF-8") << QByteArray("Pass\xffword\n") << false << "not UTF-8";
    QTest::newRow("no line end in sight") << QByteArray(100000, 'x') << false << "longer than";
    QTest::newRow("standard input empty") << QByteArray() << true << "standard input is empty";
    QTest::newRow("standard input short") << QByteArray("short\n") << true << "too short";
}

void DbInitTest::passwordFromAFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, viaInput);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(folder));
    QString file = QStringLiteral("-");
    if (!viaInput) {
        file = dir.filePath(QStringLiteral("password.txt"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(content), content.size());
    }
    const Run run = runTool({folder, QStringLiteral("--admin-password-file"), file},
                            Launch::withInput(viaInput ? content : QByteArray()));

    const QString path = QDir(folder).filePath(store::kDatabaseFileName);
    if (QFile::exists(path)) {
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QCOMPARE(adminPasswords(path), QStringList{expected});
    } else {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(expected), qPrintable(describe(run)));
        QVERIFY(folderEntries(folder).isEmpty());
    }
}

// Length counts characters as typed: not bytes, not UTF-16 units.
void DbInitTest::passwordRules_data() {
    const QString emoji = QString::fromUtf8("\xf0\x9f\x94\x91"); // one character, two units
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("errorPart"); // empty: accepted
    QTest::newRow("7 ASCII") << "abcdefg"
                             << "has 7 characters";
    QTest::newRow("8 ASCII") << "abcdefgh"
                             << "";
    QTest::newRow("7 accented, 14 bytes") << QString(7, QChar(0xe9)) << "has 7 characters";
    QTest::newRow("8 accented") << QString(8, QChar(0xe9)) << "";
    QTest::newRow("4 emoji, 8 UTF-16 units") << emoji.repeated(4) << "has 4 characters";
    QTest::newRow("7 emoji") << emoji.repeated(7) << "has 7 characters";
    QTest::newRow("8 emoji") << emoji.repeated(8) << "";
    QTest::newRow("empty") << ""
                           << "has 0 characters";
    QTest::newRow("tab inside") << "pass\tword"
                                << "control character";
}

void DbInitTest::passwordRules() {
    QFETCH(QString, password);
    QFETCH(QString, errorPart);
    QTemporaryDir dir;
    const Run run = runTool({dir.path(), QStringLiteral("--admin-password"), password});
    if (errorPart.isEmpty()) {
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QCOMPARE(adminPasswords(dir.filePath(store::kDatabaseFileName)), QStringList{password});
    } else {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(errorPart), qPrintable(describe(run)));
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }
}

void DbInitTest::defaultsToItsOwnFolder() {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("quil-dbinit"));
    QVERIFY(QFile::copy(toolPath(), copy));
    const Run run = runTool({QStringLiteral("--admin-password"), QStringLiteral("its folder")},
                            Launch::of(copy));
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QCOMPARE(adminPasswords(dir.filePath(store::kDatabaseFileName)),
             QStringList{QStringLiteral("its folder")});
}

void DbInitTest::badArguments_data() {
    QTest::addColumn<QStringList>("arguments"); // "@" stands for a fresh empty folder
    QTest::addColumn<QString>("errorPart");
    QTest::newRow("unknown option") << QStringList{"@", "--bogus"} << "bogus";
    QTest::newRow("two folders") << QStringList{"@", "@"} << "more than one folder";
    QTest::newRow("password without value")
        << QStringList{"@", "--admin-password"} << "admin-password";
    QTest::newRow("empty password") << QStringList{"@", "--admin-password", ""} << "too short";
    QTest::newRow("missing folder")
        << QStringList{"@/missing", "--admin-password", "password"} << "does not exist";
    QTest::newRow("missing password file")
        << QStringList{"@", "--admin-password-file", "@/missing"} << "cannot read";
    QTest::newRow("password file is a folder")
        << QStringList{"@", "--admin-password-file", "@"} << "cannot read";
    QTest::newRow("password and password file")
        << QStringList{"@", "--admin-password", "password", "--admin-password-file", "-"}
        << "exclude each other";
    QTest::newRow("password twice")
        << QStringList{"@", "--admin-password", "password", "--admin-password", "password"}
        << "more than once";
    QTest::newRow("unknown group")
        << QStringList{"@", "--group", "no-such-group-here", "--admin-password", "password"}
        << "no group named \"no-such-group-here\"";
    QTest::newRow("group without value") << QStringList{"@", "--group"} << "group";
}

void DbInitTest::badArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, errorPart);
    QTemporaryDir dir;
    for (QString& argument : arguments)
        argument.replace(QLatin1Char('@'), dir.path());
    const Run run = runTool(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(errorPart), qPrintable(describe(run)));
    QVERIFY(folderEntries(dir.path()).isEmpty());
}

void DbInitTest::help() {
    const Run run = runTool({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    for (const char* part : {"--admin-password ", "--admin-password-file", "--group", "FOLDER"})
        QVERIFY2(run.out.contains(QLatin1String(part)), part);
    // A password on the command line is not private: the help says so.
    QVERIFY2(run.out.contains(QLatin1String("process")), qPrintable(run.out));
}

QTEST_GUILESS_MAIN(DbInitTest)
#include "tst_dbinit.moc"
