// Start-up refuses a file that would lose a finished result or take in another file's data,
// and leaves the refused file byte for byte as it was, with nothing made beside it.
#include "Journal.h"
#include "RawDatabase.h"

#include "core/ConnectionString.h"
#include "store/FileHeader.h"
#include "store/Schema.h"
#include "store/StartupCheck.h"
#include "support/Seams.h"

#include <QDir>
#include <QTest>
#include <sys/stat.h>

using storetest::RawDatabase;

namespace {

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Lays the fixture named kind into the folder's database path (a good database first, where
// the fixture changes one).
void makeFixture(quiltest::Seams& seams, const QString& kind) {
    const QString path = seams.databasePath();
    auto sql = [&path](const QString& statement) { RawDatabase(path).exec(statement); };
    if (kind == QLatin1String("none"))
        return;
    if (kind == QLatin1String("empty")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        return;
    }
    if (kind == QLatin1String("FIFO")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return;
    }
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
        return;
    }
    if (kind == QLatin1String("link to a FIFO")) {
        const QString fifo = path + QStringLiteral(".fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(fifo, path));
        return;
    }
    seams.createDatabase(QStringLiteral("admin123"));
    if (kind == QLatin1String("missing column")) {
        sql(QStringLiteral("ALTER TABLE tblRem DROP COLUMN Keystroke"));
    } else if (kind == QLatin1String("view")) {
        sql(QStringLiteral("ALTER TABLE tblRem RENAME TO tblRemOld"));
        sql(QStringLiteral("CREATE VIEW tblRem AS SELECT * FROM tblRemOld"));
    } else if (kind == QLatin1String("trigger rewriting")) {
        sql(QStringLiteral("CREATE TRIGGER rewrite AFTER INSERT ON tblRem BEGIN UPDATE tblRem "
                           "SET Errors = '0' WHERE ID = new.ID; END"));
    } else if (kind == QLatin1String("trigger deleting")) {
        sql(QStringLiteral("CREATE TRIGGER drop_usage AFTER INSERT ON tblSystem BEGIN DELETE "
                           "FROM tblSystem; END"));
    } else if (kind == QLatin1String("no tblSystem")) {
        sql(QStringLiteral("DROP TABLE tblSystem"));
    } else if (kind == QLatin1String("number column")) {
        sql(QStringLiteral("ALTER TABLE tblRem DROP COLUMN Keystroke"));
        sql(QStringLiteral("ALTER TABLE tblRem ADD COLUMN Keystroke INTEGER"));
    } else if (kind == QLatin1String("unique names")) {
        sql(QStringLiteral("CREATE UNIQUE INDEX one_name ON tblNew (Name)"));
    } else if (kind == QLatin1String("another program's file")) {
        sql(QStringLiteral("PRAGMA application_id = 1234"));
    } else if (kind == QLatin1String("write-ahead log beside")) {
        storetest::writeBytes(path + QStringLiteral("-wal"), QByteArray(4096, 'w'));
    } else if (kind == QLatin1String("damaged")) {
        // Garbage over the last page, a page of the tables' rows.
        QByteArray bytes = storetest::bytesOf(path);
        for (qsizetype i = bytes.size() - 4096 + 8; i < bytes.size(); ++i)
            bytes[i] = char(0xff);
        storetest::writeBytes(path, bytes);
    }
}

} // namespace

class StartupCheckTest : public QObject {
    Q_OBJECT
private slots:
    void refusesAndLeavesTheFileAsItWas_data();
    void refusesAndLeavesTheFileAsItWas();
    void goodFileHasNoFault();
    void olderFileIsAdopted_data();
    void olderFileIsAdopted();
};

void StartupCheckTest::refusesAndLeavesTheFileAsItWas_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fault");
    QTest::newRow("no file") << "none"
                             << "the file does not exist";
    QTest::newRow("empty file") << "empty"
                                << "the file is empty (0 bytes)";
    QTest::newRow("FIFO") << "FIFO"
                          << "it is a FIFO, not a regular file";
    QTest::newRow("folder") << "folder"
                            << "it is a folder, not a regular file";
    QTest::newRow("link to a FIFO") << "link to a FIFO"
                                    << "it is a FIFO, not a regular file";
    QTest::newRow("results table without a column") << "missing column"
                                                    << "the table tblRem has no column Keystroke";
    QTest::newRow("results table is a view") << "view"
                                             << "tblRem is a view, not a table";
    QTest::newRow("trigger rewriting new results")
        << "trigger rewriting"
        << "the trigger rewrite sits on the table tblRem";
    QTest::newRow("trigger deleting usage rows")
        << "trigger deleting"
        << "the trigger drop_usage sits on the table tblSystem";
    QTest::newRow("no usage table") << "no tblSystem"
                                    << "the table tblSystem is missing";
    QTest::newRow("a column that makes numbers of text")
        << "number column"
        << "the column tblRem.Keystroke is declared \"INTEGER\"";
    QTest::newRow("agent names made unique") << "unique names"
                                             << "the unique index one_name on the table tblNew";
    QTest::newRow("another program's file")
        << "another program's file"
        << "belongs to another program (application id 0x000004d2)";
    QTest::newRow("write-ahead log beside it") << "write-ahead log beside"
                                               << "dbTWRes.mdb-wal lies beside the file";
    QTest::newRow("damaged pages") << "damaged"
                                   << "the engine finds the file damaged";
}

void StartupCheckTest::refusesAndLeavesTheFileAsItWas() {
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    quiltest::Seams seams;
    makeFixture(seams, kind);
    const QString path = seams.databasePath();
    const QByteArray before = storetest::bytesOf(path);
    const QStringList entries = folderEntries(seams.folder());

    const QStringList faults = store::startupFaults(path);
    QVERIFY2(faults.join(QLatin1Char('\n')).contains(fault), qPrintable(faults.join('\n')));
    QCOMPARE(faults.size(), 1);
    QString error;
    QVERIFY(!store::checkAtStartup(path, &error));
    QCOMPARE(error, faults.join(QLatin1Char('\n')));

    QCOMPARE(storetest::bytesOf(path), before);
    QCOMPARE(folderEntries(seams.folder()), entries);
}

// Also with columns that keep text as it is under another declaration than TEXT.
void StartupCheckTest::goodFileHasNoFault() {
    quiltest::Seams seams;
    seams.createDatabase(QStringLiteral("admin123"));
    {
        RawDatabase raw(seams.databasePath());
        raw.exec(QStringLiteral("ALTER TABLE tblRem DROP COLUMN Keystroke"));
        raw.exec(QStringLiteral("ALTER TABLE tblRem ADD COLUMN Keystroke"));
        raw.exec(QStringLiteral("ALTER TABLE tblNew DROP COLUMN Name"));
        raw.exec(QStringLiteral("ALTER TABLE tblNew ADD COLUMN Name VARCHAR(32)"));
    }
    const QByteArray before = storetest::bytesOf(seams.databasePath());
    QCOMPARE(store::startupFaults(seams.databasePath()), QStringList());
    QString error;
    QVERIFY2(store::checkAtStartup(seams.databasePath(), &error), qPrintable(error));
    QCOMPARE(storetest::bytesOf(seams.databasePath()), before);
    QCOMPARE(folderEntries(seams.folder()), QStringList{store::kDatabaseFileName});
}

// Files made before they carried ids, some kept with a write-ahead log: they keep their rows
// and are given the ids and the rollback journal.
void StartupCheckTest::olderFileIsAdopted_data() {
    QTest::addColumn<bool>("writeAheadLog");
    QTest::newRow("rollback journal") << false;
    QTest::newRow("write-ahead log") << true;
}

void StartupCheckTest::olderFileIsAdopted() {
    QFETCH(bool, writeAheadLog);
    quiltest::Seams seams;
    const QString path = seams.databasePath();
    {
        RawDatabase raw(path);
        if (writeAheadLog)
            raw.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        for (const store::TableSchema& table : store::schema()) {
            QStringList columns{QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT")};
            for (const QString& column : table.columns)
                columns << column + QStringLiteral(" TEXT");
            raw.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, columns.join(", ")));
        }
        raw.exec(QStringLiteral("INSERT INTO tblNew (Name) VALUES ('Ann M. Reyes')"));
    }
    QCOMPARE(folderEntries(seams.folder()), QStringList{store::kDatabaseFileName});
    QString error;
    QVERIFY2(store::checkAtStartup(path, &error), qPrintable(error));

    QCOMPARE(folderEntries(seams.folder()), QStringList{store::kDatabaseFileName});
    const std::optional<store::FileHeader> header = store::readFileHeader(path, &error);
    QVERIFY(header);
    QCOMPARE(header->applicationId, store::kApplicationId);
    QVERIFY(header->fileId != 0);
    QVERIFY(!header->writeAheadLog);
    QCOMPARE(RawDatabase(path).value(QStringLiteral("SELECT Name FROM tblNew")).toString(),
             QStringLiteral("Ann M. Reyes"));
}

QTEST_MAIN(StartupCheckTest)
#include "tst_startupcheck.moc"
