#include "RawDatabase.h"

#include "store/ConnectionString.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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

// Runs the tool with stdin from /dev/null: no terminal to ask.
Run runTool(const QStringList& arguments, const QString& program = toolPath()) {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = QStringLiteral("did not finish: ") + process.errorString();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
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
    void refusesToOverwrite();
    void makesUpAPasswordWithoutATerminal();
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

void DbInitTest::refusesToOverwrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath(store::kDatabaseFileName);
    QVERIFY(runTool({dir.path(), QStringLiteral("--admin-password"), QStringLiteral("first")})
                .exitCode == 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const Run again =
        runTool({dir.path(), QStringLiteral("--admin-password"), QStringLiteral("second")});
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.contains(path) && again.err.contains(QLatin1String("already exists")),
             qPrintable(describe(again)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(adminPasswords(path), QStringList{QStringLiteral("first")});
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

void DbInitTest::defaultsToItsOwnFolder() {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("quil-dbinit"));
    QVERIFY(QFile::copy(toolPath(), copy));
    const Run run = runTool({QStringLiteral("--admin-password"), QStringLiteral("pw")}, copy);
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QCOMPARE(adminPasswords(dir.filePath(store::kDatabaseFileName)),
             QStringList{QStringLiteral("pw")});
}

void DbInitTest::badArguments_data() {
    QTest::addColumn<QStringList>("arguments"); // "@" stands for a fresh empty folder
    QTest::addColumn<QString>("errorPart");
    QTest::newRow("unknown option") << QStringList{"@", "--bogus"} << "bogus";
    QTest::newRow("two folders") << QStringList{"@", "@"} << "more than one folder";
    QTest::newRow("password without value")
        << QStringList{"@", "--admin-password"} << "admin-password";
    QTest::newRow("empty password") << QStringList{"@", "--admin-password", ""} << "empty";
    QTest::newRow("missing folder")
        << QStringList{"@/missing", "--admin-password", "pw"} << "does not exist";
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
    QVERIFY2(run.out.contains(QLatin1String("--admin-password")) &&
                 run.out.contains(QLatin1String("FOLDER")),
             qPrintable(describe(run)));
}

QTEST_GUILESS_MAIN(DbInitTest)
#include "tst_dbinit.moc"
