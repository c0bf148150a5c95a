// The file is the whole data: a copy of it alone holds every stored row, no journal or log of
// another file (or of another state of this one) is ever applied to it, and a file replaced
// while it is open is never written to.
#include "Journal.h"
#include "RawDatabase.h"

#include "core/ConnectionString.h"
#include "store/DataControl.h"
#include "store/GridModel.h"
#include "store/Schema.h"
#include "store/StartupCheck.h"
#include "support/Seams.h"

#include <QDir>
#include <QTest>
#include <memory>

using storetest::RawDatabase;

namespace {

std::unique_ptr<store::DataControl> results(const QString& folder) {
    auto control = std::make_unique<store::DataControl>();
    control->setConnectionString(store::connectionStringA(folder));
    control->setRecordSource(QStringLiteral("Select * from tblRem"));
    return control;
}

bool addResult(store::DataControl& control, const QString& name) {
    store::RecordSet* rs = control.Recordset();
    rs->AddNew();
    return rs->setValue(QStringLiteral("Date"), QStringLiteral("12/11/2026")) &&
           rs->setValue(QStringLiteral("Name"), name) &&
           rs->setValue(QStringLiteral("Test"), QStringLiteral("Numeric")) && rs->Update();
}

quint32 pagesOf(const QString& path) {
    return quint32(QFileInfo(path).size() / 4096);
}

// A second database file in the folder, with rows of its own.
QString otherFile(const quiltest::Seams& seams, int rows) {
    const QString path = QDir(seams.folder()).filePath(QStringLiteral("other.mdb"));
    QString error;
    if (!store::createDatabase(path, QStringLiteral("other-password"), &error))
        qFatal("%s", qPrintable(error));
    RawDatabase raw(path);
    for (int i = 0; i < rows; ++i)
        raw.exec(QStringLiteral("INSERT INTO tblRem (Name) VALUES (?)"),
                 {QStringLiteral("backup %1").arg(i)});
    return path;
}

} // namespace

class FileSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void aCopyOfTheFileAloneHoldsEveryStoredRow();
    void journalBesideTheFileIsAppliedOnlyWhenItsOwn_data();
    void journalBesideTheFileIsAppliedOnlyWhenItsOwn();
    void fileReplacedInPlaceIsNotWrittenTo_data();
    void fileReplacedInPlaceIsNotWrittenTo();
};

// A grid half read stays open beside the writer: nothing of the stored rows waits in a log.
void FileSafetyTest::aCopyOfTheFileAloneHoldsEveryStoredRow() {
    quiltest::Seams seams;
    seams.createDatabase(QStringLiteral("admin123"));
    {
        RawDatabase raw(seams.databasePath());
        raw.exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < 5000; ++i)
            raw.exec(QStringLiteral("INSERT INTO tblRem (Name) VALUES ('old')"));
        raw.exec(QStringLiteral("COMMIT"));
    }
    auto grid = results(seams.folder());
    QVERIFY2(grid->Refresh(), qPrintable(grid->error()));
    QVERIFY(grid->model()->canFetchMore());
    auto writer = results(seams.folder());
    QVERIFY2(writer->Refresh(), qPrintable(writer->error()));
    for (int i = 0; i < 5; ++i)
        QVERIFY2(addResult(*writer, QStringLiteral("new %1").arg(i)), qPrintable(writer->error()));

    QCOMPARE(QDir(seams.folder()).entryList(QDir::Files), QStringList{store::kDatabaseFileName});
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(store::kDatabaseFileName);
    QVERIFY(QFile::copy(seams.databasePath(), copy));
    RawDatabase raw(copy);
    QCOMPARE(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(
        raw.value(QStringLiteral("SELECT count(*) FROM tblRem WHERE Name LIKE 'new %'")).toInt(),
        5);
}

// What a program killed during a write leaves, and what a person then does: restore a backup,
// or copy in another file, the journal still beside it.
void FileSafetyTest::journalBesideTheFileIsAppliedOnlyWhenItsOwn_data() {
    QTest::addColumn<QString>("journalOf");
    QTest::addColumn<bool>("applied");
    QTest::newRow("another file's") << "other" << false;
    QTest::newRow("a later state of this file, beside its older backup") << "later" << false;
    QTest::newRow("this file's own") << "own" << true;
}

void FileSafetyTest::journalBesideTheFileIsAppliedOnlyWhenItsOwn() {
    QFETCH(QString, journalOf);
    QFETCH(bool, applied);
    quiltest::Seams seams;
    seams.createDatabase(QStringLiteral("admin123"));
    const QString path = seams.databasePath();
    const QString journal = path + QStringLiteral("-journal");
    if (journalOf == QLatin1String("other")) {
        const QString crashed = otherFile(seams, 5);
        storetest::writeJournal(journal, storetest::firstPage(crashed), pagesOf(crashed));
    } else if (journalOf == QLatin1String("later")) {
        const QByteArray backup = storetest::bytesOf(path);
        auto writer = results(seams.folder());
        QVERIFY2(writer->Refresh(), qPrintable(writer->error()));
        for (int i = 0; i < 3; ++i)
            QVERIFY(addResult(*writer, QStringLiteral("after the backup")));
        writer.reset();
        storetest::writeJournal(journal, storetest::firstPage(path), pagesOf(path));
        storetest::writeBytes(path, backup);
    } else {
        storetest::writeJournal(journal, storetest::firstPage(path), pagesOf(path));
    }
    const QByteArray before = storetest::bytesOf(path);

    const QStringList faults = store::startupFaults(path);
    auto control = results(seams.folder());
    const bool opened = control->Refresh();
    QVERIFY2(faults.isEmpty() == applied, qPrintable(faults.join('\n')));
    QCOMPARE(opened, applied);
    if (!applied) {
        QVERIFY2(faults.first().contains(QLatin1String("dbTWRes.mdb-journal lies beside the file")),
                 qPrintable(faults.first()));
        QVERIFY2(control->error().contains(QLatin1String("-journal lies beside")),
                 qPrintable(control->error()));
        QCOMPARE(storetest::bytesOf(path), before);
        // Moved away as the message asks; any plain connection would roll it into the file.
        QVERIFY(QFile::remove(journal));
    } else {
        QVERIFY(!QFileInfo::exists(journal));
        QVERIFY(addResult(*control, QStringLiteral("after the roll-back")));
    }
    control.reset();
    QCOMPARE(RawDatabase(path).value(QStringLiteral("PRAGMA integrity_check")).toString(),
             QStringLiteral("ok"));
}

// cp keeps the inode: only the file's ids and its change counter tell that it is another.
void FileSafetyTest::fileReplacedInPlaceIsNotWrittenTo_data() {
    QTest::addColumn<QString>("replacement");
    QTest::newRow("another file copied over it") << "other";
    QTest::newRow("its own backup restored over it") << "backup";
}

void FileSafetyTest::fileReplacedInPlaceIsNotWrittenTo() {
    QFETCH(QString, replacement);
    quiltest::Seams seams;
    seams.createDatabase(QStringLiteral("admin123"));
    const QString path = seams.databasePath();
    auto control = results(seams.folder());
    QVERIFY2(control->Refresh(), qPrintable(control->error()));
    QVERIFY(addResult(*control, QStringLiteral("first")));
    const QByteArray backup = storetest::bytesOf(path);
    QVERIFY(addResult(*control, QStringLiteral("second")));

    const QByteArray copied =
        replacement == QLatin1String("other") ? storetest::bytesOf(otherFile(seams, 3)) : backup;
    storetest::writeBytes(path, copied);

    QVERIFY(!addResult(*control, QStringLiteral("mixed in")));
    QVERIFY2(control->error().contains(QLatin1String("removed or replaced")),
             qPrintable(control->error()));
    // Nor through a connection opened meanwhile (the first stays open, as the main window's).
    auto fresh = results(seams.folder());
    QVERIFY(!fresh->Refresh());
    QVERIFY2(fresh->error().contains(QLatin1String("removed or replaced")),
             qPrintable(fresh->error()));
    QVERIFY(!control->Refresh());
    control.reset();
    fresh.reset();
    QCOMPARE(storetest::bytesOf(path), copied);
}

QTEST_MAIN(FileSafetyTest)
#include "tst_filesafety.moc"
