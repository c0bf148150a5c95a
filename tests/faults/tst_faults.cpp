// The store under faults: killed writers, a second program on the same file, a lock held too
// long, a full disk.
#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "exam/EntryField.h"
#include "store/Schema.h"
#include "support/Rows.h"
#include "support/Seams.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <utility>

namespace {

QString writerPath() {
    return QDir(qEnvironmentVariable("QUIL_BIN_DIR")).filePath(QStringLiteral("fault_writer"));
}

void startWriter(QProcess& writer, const QString& folder, const QString& tag, int count) {
    writer.start(writerPath(), {folder, tag, QString::number(count)});
    QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
}

// The rows a writer said it had stored.
QSet<QString> confirmedRows(QProcess& writer) {
    QSet<QString> confirmed;
    const QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith("stored "))
            confirmed.insert(QString::fromLatin1(line.mid(7)));
    return confirmed;
}

QString integrity(const QString& databasePath) {
    const QString name = QStringLiteral("faults-integrity");
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next())
                result = query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

// The Time values stored under one writer's tag.
QSet<QString> storedRows(const QString& databasePath, const QString& tag) {
    QSet<QString> stored;
    for (const QStringList& row : quiltest::rows(databasePath, QStringLiteral("tblRem")))
        if (row.value(2) == tag)
            stored.insert(row.value(1));
    return stored;
}

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        seams = std::make_unique<quiltest::Seams>();
        seams->createDatabase();
    }
    void cleanup() { seams.reset(); }

    void killedWritersLoseNoStoredRow();
    void backupRestoredAfterAKillStaysAsItWas();
    void twoProgramsWriteOneFile();
    void aLockHeldTooLongIsOfferedAgainThenReported_data();
    void aLockHeldTooLongIsOfferedAgainThenReported();
    void aFullDiskIsReportedAndLeavesTheFileWhole();
    void hostileTextInTheEntryFieldsIsJustWrong();

private:
    std::unique_ptr<quiltest::Seams> seams;
};

void FaultsTest::killedWritersLoseNoStoredRow() {
    QRandomGenerator moments(20261210); // the same moments in every run
    QHash<QString, QSet<QString>> confirmed;
    for (int run = 0; run < 12; ++run) {
        const QString tag = QStringLiteral("run %1").arg(run);
        QProcess writer;
        startWriter(writer, seams->folder(), tag, 1000000);
        QTest::qWait(int(moments.bounded(40, 400)));
        QVERIFY2(writer.state() == QProcess::Running,
                 qPrintable(QStringLiteral("the writer stopped by itself: ") +
                            QString::fromLocal8Bit(writer.readAllStandardError())));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        confirmed[tag] = confirmedRows(writer);
    }
    QCOMPARE(integrity(seams->databasePath()), QStringLiteral("ok"));
    int total = 0;
    for (auto it = confirmed.cbegin(); it != confirmed.cend(); ++it) {
        const QSet<QString> stored = storedRows(seams->databasePath(), it.key());
        QVERIFY2(stored.contains(it.value()), qPrintable(it.key()));
        total += it.value().size();
    }
    qInfo("%d rows confirmed by killed writers, all present", total);
    QVERIFY(total > 0);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// After each kill: the file alone (when no write was cut short) holds every confirmed row; and
// a backup copied in over the killed file, its journal still beside it, is never changed by
// the next start, which refuses a journal not its own.
void FaultsTest::backupRestoredAfterAKillStaysAsItWas() {
    QTemporaryDir made;
    const QString backupPath = made.filePath(QStringLiteral("backup.mdb"));
    QString error;
    QVERIFY2(store::createDatabase(backupPath, QStringLiteral("backup-password"), &error),
             qPrintable(error));
    quiltest::execute(backupPath, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                                 "SELECT i + 1 FROM n WHERE i < 100) INSERT "
                                                 "INTO tblRem (Name) SELECT 'kept ' || i FROM n"));
    const QByteArray backup = bytesOf(backupPath);

    QRandomGenerator moments(20261211);
    int cutShort = 0, refused = 0;
    for (int run = 0; run < 12; ++run) {
        const QString tag = QStringLiteral("run %1").arg(run);
        QProcess writer;
        startWriter(writer, seams->folder(), tag, 1000000);
        QTest::qWait(int(moments.bounded(40, 400)));
        QVERIFY(writer.state() == QProcess::Running);
        writer.kill();
        QVERIFY(writer.waitForFinished());
        const QSet<QString> confirmed = confirmedRows(writer);
        const QString journal = seams->databasePath() + QStringLiteral("-journal");
        const bool unfinished = QFileInfo::exists(journal);
        // The engine rolls back only a journal whose header lists records (byte 8 on).
        const QByteArray header = bytesOf(journal).left(12);
        cutShort += header.size() == 12 && header.mid(8) != QByteArray(4, '\0');

        QTemporaryDir restored;
        const QString file = restored.filePath(QStringLiteral("dbTWRes.mdb"));
        QVERIFY(QFile::copy(seams->databasePath(), file));
        if (!unfinished)
            QVERIFY2(storedRows(file, tag).contains(confirmed), qPrintable(tag));
        if (unfinished)
            QVERIFY(QFile::copy(journal, file + QStringLiteral("-journal")));
        QFile::remove(file);
        QVERIFY(QFile::copy(backupPath, file));

        QProcess next;
        startWriter(next, restored.path(), tag, 0);
        QVERIFY(next.waitForFinished());
        refused += next.exitCode() != 0;
        QCOMPARE(bytesOf(file), backup);
    }
    qInfo("%d of 12 kills left a journal to roll back; %d starts refused it beside the backup",
          cutShort, refused);
    QCOMPARE(refused, cutShort);
}

void FaultsTest::twoProgramsWriteOneFile() {
    const int count = 300;
    QProcess other;
    startWriter(other, seams->folder(), QStringLiteral("other"), count);
    QProcess mine;
    startWriter(mine, seams->folder(), QStringLiteral("mine"), count);
    QVERIFY(other.waitForFinished(60000));
    QVERIFY(mine.waitForFinished(60000));
    QCOMPARE(other.exitCode(), 0);
    QCOMPARE(mine.exitCode(), 0);
    QCOMPARE(storedRows(seams->databasePath(), QStringLiteral("other")).size(), count);
    QCOMPARE(storedRows(seams->databasePath(), QStringLiteral("mine")).size(), count);
}

void FaultsTest::aLockHeldTooLongIsOfferedAgainThenReported_data() {
    QTest::addColumn<bool>("retried");
    QTest::newRow("Retry once the lock is released") << true;
    QTest::newRow("given up while it is held") << false;
}

void FaultsTest::aLockHeldTooLongIsOfferedAgainThenReported() {
    QFETCH(bool, retried);
    frmEntry window;
    window.Form_Load();
    window.Timer1->stop();
    window.Label21->setText(QStringLiteral("Ana M. Reyes"));
    window.number_Click();
    for (EntryField* field : std::as_const(window.numericFields))
        QTest::keyClicks(field, QStringLiteral("0000"));

    // Another connection holds the write lock past the busy timeout.
    const QString name = QStringLiteral("faults-locker");
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        locker.setDatabaseName(seams->databasePath());
        QVERIFY(locker.open());
        QVERIFY(QSqlQuery(locker).exec(QStringLiteral("BEGIN IMMEDIATE")));
        bool held = true;
        const auto release = [&] {
            if (std::exchange(held, false))
                QVERIFY(QSqlQuery(locker).exec(QStringLiteral("ROLLBACK")));
        };
        if (retried) {
            seams->answers = {ui::Answer::Retry};
            seams->onBox = [&](const quiltest::Box& box) {
                if (box.question)
                    release();
            };
        }
        window.Command1_Click();
        release();
    }
    QSqlDatabase::removeDatabase(name);

    const quiltest::Box& offer = seams->boxes[2];
    QVERIFY(offer.question);
    QVERIFY2(offer.text.contains(QLatin1String("locked")), qPrintable(offer.text));
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    if (retried) {
        QCOMPARE(seams->boxes.size(), 3);
        QVERIFY(seams->endCodes.isEmpty());
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].value(2), QStringLiteral("Ana M. Reyes"));
        return;
    }
    QCOMPARE(seams->endCodes, QList<int>{1});
    const quiltest::Box& report = seams->boxes.last();
    QCOMPARE(report.icon, ui::Icon::Critical);
    for (const char* part : {"locked", "Ana M. Reyes", "Errors: 20", "Accuracy: 72", "80"})
        QVERIFY2(report.text.contains(QLatin1String(part)), qPrintable(report.text));
    QVERIFY(stored.isEmpty());
}

void FaultsTest::aFullDiskIsReportedAndLeavesTheFileWhole() {
    QProcess writer;
    // No file of the writer may grow past 96 KiB: the disk is full for it.
    writer.setChildProcessModifier([] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{96 * 1024, 96 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    startWriter(writer, seams->folder(), QStringLiteral("full"), 100000);
    QVERIFY(writer.waitForFinished(60000));
    const QString said = QString::fromLocal8Bit(writer.readAllStandardError()).trimmed();
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(writer.exitCode(), 2);
    QVERIFY2(!said.isEmpty(), "the failure was not reported");
    qInfo("the full disk was reported as: %s", qPrintable(said));
    const QSet<QString> confirmed = confirmedRows(writer);
    QVERIFY(!confirmed.isEmpty());
    QCOMPARE(integrity(seams->databasePath()), QStringLiteral("ok"));
    QVERIFY(storedRows(seams->databasePath(), QStringLiteral("full")).contains(confirmed));
}

void FaultsTest::hostileTextInTheEntryFieldsIsJustWrong() {
    frmEntry window;
    window.Form_Load();
    window.Timer1->stop();
    window.Label21->setText(QStringLiteral("O'Brien; DROP TABLE tblNew; --"));
    window.an_Click();
    const QStringList hostile{
        QStringLiteral("'; DROP TABLE tblRem; --"), QStringLiteral("%s%n%x \\ \\0"),
        QString(QChar(0)) + QStringLiteral("nul"),  QStringLiteral("\u202Eevil\u202C"),
        QStringLiteral("e\u0301\u0301\u0301"),      QString(5000, QLatin1Char('x'))};
    for (int k = 0; k < window.wordFields.size(); ++k)
        window.wordFields[k]->insert(hostile[k % hostile.size()]); // pasted
    window.Command2_Click();

    QVERIFY(seams->endCodes.isEmpty());
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0][2], window.Label21->text());
    QCOMPARE(stored[0][4], QStringLiteral("12")); // every slot wrong, nothing executed
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblNew")).size(), 0);
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
