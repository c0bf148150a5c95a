#include "RawDatabase.h"

#include "core/ConnectionString.h"
#include "store/DataControl.h"
#include "store/GridModel.h"
#include "store/RecordSet.h"
#include "store/Schema.h"
#include "support/Seams.h"
#include "ui/ErrorPolicy.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <memory>
#include <unistd.h>

using storetest::RawDatabase;

namespace {

const QString kTitle = QStringLiteral("Quil's Data Entry");

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

std::unique_ptr<store::DataControl> control(const store::Connection& connectionString,
                                            const QString& table) {
    auto made = std::make_unique<store::DataControl>();
    made->setConnectionString(connectionString);
    made->setRecordSource(QStringLiteral("Select * from ") + table);
    return made;
}

// Adds one result row the way the main window does, Name set to name.
bool addResult(store::DataControl& control, const QString& name) {
    store::RecordSet* rs = control.Recordset();
    rs->AddNew();
    return rs->setValue(QStringLiteral("Date"), QStringLiteral("12/10/2026")) &&
           rs->setValue(QStringLiteral("Name"), name) &&
           rs->setValue(QStringLiteral("Test"), QStringLiteral("Numeric")) &&
           rs->setValue(QStringLiteral("Time"), QStringLiteral("1:52:44 PM")) &&
           rs->setValue(QStringLiteral("Errors"), QStringLiteral("2")) &&
           rs->setValue(QStringLiteral("Accuracy"), QStringLiteral("91.7")) &&
           rs->setValue(QStringLiteral("Keystroke"), QStringLiteral("80")) && rs->Update();
}

QStringList names(const RawDatabase& raw, const QString& table) {
    QStringList all;
    const auto rows = raw.rows(QStringLiteral("SELECT Name FROM %1 ORDER BY ID").arg(table));
    for (const QVariantList& row : rows)
        all << (row.value(0).isValid() ? row.value(0).toString() : QStringLiteral("<null>"));
    return all;
}

// Collects what this process writes to stderr while it lives.
class StderrCapture {
public:
    StderrCapture() {
        file.open();
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }
    QString text() {
        restore();
        file.seek(0);
        return QString::fromLocal8Bit(file.readAll());
    }

private:
    void restore() {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        saved = -1;
    }
    QTemporaryFile file;
    int saved = -1;
};

} // namespace

class StoreTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void connectionStringsKeepTheirSpellings();
    void folderReachesTheEngineAsItIs_data();
    void folderReachesTheEngineAsItIs();
    void bothSpellingsOpenTheSameFile();
    void recordSourceNamesTheTable_data();
    void recordSourceNamesTheTable();

    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void readsEveryRowInKeyOrder();
    void fieldNamesAreCheckedAndCaseInsensitive();
    void updateChangesTheCurrentRow();
    void find_data();
    void find();

    void badInputFailsRefresh_data();
    void badInputFailsRefresh();
    void readOnlyFileFailsRefresh();
    void fileRemovedOrReplacedWhileOpen_data();
    void fileRemovedOrReplacedWhileOpen();
    void errorPolicies();

    void gridStillFetchingBlocksNoWriter();
    void refreshReselectsTheGrid();
    void storedRowIsDurable();
    void journalModeIsNeverSwitched();

    void createDatabaseLaysOutTheFile();
    void createDatabaseRefuses_data();
    void createDatabaseRefuses();
};

void StoreTest::init() {
    // Among others, Qt's "connection is still in use" when a connection is dropped too early.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void StoreTest::connectionStringsKeepTheirSpellings() {
    QCOMPARE(store::connectionStringA(QStringLiteral("C:\\Quil")).text,
             QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Quil\\dbTWRes.mdb;"
                            "Persist Security Info=False"));
    QCOMPARE(store::connectionStringB(QStringLiteral("C:\\Quil")).text,
             QStringLiteral(" Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Quil\\dbTWRes.mdb;"
                            "Persist Security Info=False;"));
}

// A folder name that the connection string's own syntax would misread: the file opened is the
// one in that folder, never one at the path a parser of the text would find.
void StoreTest::folderReachesTheEngineAsItIs_data() {
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("misreadFolder"); // where "Data Source=" read as text points
    QTest::newRow("semicolon") << QStringLiteral("x;y") << QStringLiteral("x");
    QTest::newRow("backslash") << QStringLiteral("p\\q") << QStringLiteral("p/q");
    QTest::newRow("a key of its own") << QStringLiteral("a;Data Source=b") << QStringLiteral("b");
}

void StoreTest::folderReachesTheEngineAsItIs() {
    QFETCH(QString, folderName);
    QFETCH(QString, misreadFolder);
    quiltest::Seams seams;
    const QString folder = QDir(seams.folder()).filePath(folderName);
    const QString decoy = QDir(seams.folder()).filePath(misreadFolder);
    QString error;
    for (const QString& where : {folder, decoy}) {
        QVERIFY(QDir().mkpath(where));
        QVERIFY2(store::createDatabase(QDir(where).filePath(store::kDatabaseFileName),
                                       QStringLiteral("admin123"), &error),
                 qPrintable(error));
    }
    const store::Connection connection = store::connectionStringA(folder);
    QVERIFY(connection.text.contains(folderName));
    auto results = control(connection, QStringLiteral("tblRem"));
    QVERIFY2(results->Refresh(), qPrintable(results->error()));
    QVERIFY2(addResult(*results, QStringLiteral("in its own folder")),
             qPrintable(results->error()));
    results.reset();
    QCOMPARE(names(RawDatabase(QDir(folder).filePath(store::kDatabaseFileName)),
                   QStringLiteral("tblRem")),
             QStringList{QStringLiteral("in its own folder")});
    QCOMPARE(names(RawDatabase(QDir(decoy).filePath(store::kDatabaseFileName)),
                   QStringLiteral("tblRem")),
             QStringList());
}

// The folder's name holds what a "file:" URI must escape: blanks, "#", "?" and "%41".
void StoreTest::bothSpellingsOpenTheSameFile() {
    quiltest::Seams seams;
    const QString oddName = QStringLiteral("odd name #1 ?x %41");
    const QString folder = QDir(seams.folder()).filePath(oddName);
    QVERIFY(QDir().mkpath(folder));
    QString error;
    QVERIFY2(store::createDatabase(QDir(folder).filePath(store::kDatabaseFileName),
                                   QStringLiteral("admin"), &error),
             qPrintable(error));

    auto a = control(store::connectionStringA(folder), QStringLiteral("tblRem"));
    QVERIFY2(a->Refresh(), qPrintable(a->error()));
    QVERIFY2(addResult(*a, QStringLiteral("Through A")), qPrintable(a->error()));

    auto b = control(store::connectionStringB(folder), QStringLiteral("tblRem"));
    QVERIFY2(b->Refresh(), qPrintable(b->error()));
    QCOMPARE(b->Recordset()->Value(QStringLiteral("Name")).toString(), QStringLiteral("Through A"));
    // Nothing was opened or made under a name cut short at "#" or "?".
    QCOMPARE(folderEntries(seams.folder()), QStringList{oddName});
}

void StoreTest::recordSourceNamesTheTable_data() {
    QTest::addColumn<QString>("recordSource");
    QTest::addColumn<QString>("table");
    QTest::newRow("as the windows write it") << "Select * from tblRem"
                                             << "tblRem";
    QTest::newRow("lower case") << "select * from tblSystem"
                                << "tblSystem";
    QTest::newRow("brackets and ';'") << "SELECT * FROM [tblNew];"
                                      << "tblNew";
    QTest::newRow("odd blanks") << "  select\t*  from   tblAdm ; "
                                << "tblAdm";
    QTest::newRow("one bracket") << "Select * from tblAdm]"
                                 << "";
    QTest::newRow("quoted name") << "Select * from \"tblAdm\""
                                 << "";
    QTest::newRow("two tables") << "Select * from tblAdm, tblNew"
                                << "";
}

void StoreTest::recordSourceNamesTheTable() {
    QFETCH(QString, recordSource);
    QFETCH(QString, table);
    store::DataControl dc;
    dc.setRecordSource(recordSource);
    QCOMPARE(dc.tableName(), table);
}

void StoreTest::valuesRoundTrip_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    const auto same = [](const char* name, const QString& value) {
        QTest::newRow(name) << value << value;
    };
    same("plain", QStringLiteral("Juan D. Cruz"));
    same("quotes", QStringLiteral("O'Neil \"the\" '';-- )"));
    same("percent, underscore, backslash", QStringLiteral("100% _x_ \\\\server\\share\\"));
    same("NUL inside", QStringLiteral("before") + QChar(0) + QStringLiteral("after"));
    same("right-to-left and combining",
         QString::fromUtf8("\u05E9\u05DC\u05D5\u05DD e\u0301 \u202Eabc\u202C \U0001F600"));
    QString longText;
    while (longText.size() < 100000)
        longText += QString::fromUtf8("Quil \u00e9\u00df 0123456789 ");
    longText.truncate(100000);
    same("100,000 characters", longText);
    same("empty", QStringLiteral(""));
    QTest::newRow("null string is stored as empty text") << QString() << QStringLiteral("");
}

void StoreTest::valuesRoundTrip() {
    QFETCH(QString, value);
    QFETCH(QString, stored);
    quiltest::Seams seams;
    seams.createDatabase();
    {
        auto writer = control(store::connectionStringA(seams.folder()), QStringLiteral("tblRem"));
        QVERIFY2(writer->Refresh(), qPrintable(writer->error()));
        QVERIFY2(addResult(*writer, value), qPrintable(writer->error()));
        QCOMPARE(writer->Recordset()->Value(QStringLiteral("Name")).toString(), stored);
    }
    auto reader = control(store::connectionStringB(seams.folder()), QStringLiteral("tblRem"));
    QVERIFY2(reader->Refresh(), qPrintable(reader->error()));
    const QVariant read = reader->Recordset()->Value(QStringLiteral("Name"));
    QVERIFY(read.isValid());
    QCOMPARE(read.typeId(), QMetaType::QString);
    QCOMPARE(read.toString(), stored);

    RawDatabase raw(seams.databasePath());
    QCOMPARE(raw.value(QStringLiteral("SELECT typeof(Name) FROM tblRem")).toString(),
             QStringLiteral("text"));
    QCOMPARE(raw.value(QStringLiteral("SELECT Name FROM tblRem")).toString(), stored);
}

void StoreTest::readsEveryRowInKeyOrder() {
    quiltest::Seams seams;
    seams.createDatabase();
    auto agents = control(store::connectionStringA(seams.folder()), QStringLiteral("tblNew"));
    QVERIFY2(agents->Refresh(), qPrintable(agents->error()));
    store::RecordSet* rs = agents->Recordset();
    QVERIFY(rs->atEOF());

    qlonglong lastKey = 0;
    for (const QString& name :
         {QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cid")}) {
        rs->AddNew();
        QVERIFY(rs->setValue(QStringLiteral("Name"), name));
        QVERIFY2(rs->Update(), qPrintable(rs->error()));
        // The new row is the current one, with the key the database gave it.
        QCOMPARE(rs->Value(QStringLiteral("Name")).toString(), name);
        const qlonglong key = rs->Value(QStringLiteral("ID")).toLongLong();
        QVERIFY2(key > lastKey, qPrintable(QString::number(key)));
        lastKey = key;
    }
    RawDatabase(seams.databasePath())
        .exec(QStringLiteral("INSERT INTO tblNew (Name) VALUES (NULL), ('')"));

    QVERIFY2(agents->Refresh(), qPrintable(agents->error()));
    QCOMPARE(rs->Value(QStringLiteral("Name")).toString(), QStringLiteral("Ann"));
    QVERIFY(rs->MoveFirst());
    QStringList read;
    while (!rs->atEOF()) {
        const QVariant name = rs->Value(QStringLiteral("Name"));
        read << (name.isValid() ? name.toString() : QStringLiteral("<null>"));
        QVERIFY2(rs->MoveNext(), qPrintable(rs->error()));
    }
    QCOMPARE(read, (QStringList{"Ann", "Bob", "Cid", "<null>", ""}));
    // Moving on from the end is an error, not a wrap to the first row.
    QVERIFY(!rs->MoveNext());
    QVERIFY(rs->atEOF());
}

void StoreTest::fieldNamesAreCheckedAndCaseInsensitive() {
    quiltest::Seams seams;
    seams.createDatabase();
    auto agents = control(store::connectionStringA(seams.folder()), QStringLiteral("tblNew"));
    QVERIFY2(agents->Refresh(), qPrintable(agents->error()));
    store::RecordSet* rs = agents->Recordset();

    rs->AddNew();
    QVERIFY(rs->setValue(QStringLiteral("nAME"), QStringLiteral("Ann")));
    QCOMPARE(rs->Value(QStringLiteral("Name")).toString(), QStringLiteral("Ann"));
    const QString hostile = QStringLiteral("Name\" = 'x', \"ID");
    for (const QString& unknown : {QStringLiteral("Nmae"), hostile}) {
        QVERIFY(!rs->setValue(unknown, QStringLiteral("x")));
        QVERIFY2(rs->error().contains(QLatin1String("Item cannot be found")) &&
                     rs->error().contains(unknown),
                 qPrintable(rs->error()));
    }
    QVERIFY2(rs->Update(), qPrintable(rs->error()));
    QCOMPARE(rs->Value(QStringLiteral("NAME")).toString(), QStringLiteral("Ann"));
    QVERIFY(!rs->Value(QStringLiteral("Nmae")).isValid());
    QVERIFY(!rs->Find(QStringLiteral("Nmae"), QStringLiteral("Ann")));
    QCOMPARE(names(RawDatabase(seams.databasePath()), QStringLiteral("tblNew")),
             QStringList{QStringLiteral("Ann")});
}

void StoreTest::updateChangesTheCurrentRow() {
    quiltest::Seams seams;
    seams.createDatabase();
    RawDatabase(seams.databasePath())
        .exec(QStringLiteral("INSERT INTO tblNew (Name) VALUES ('Ann'), ('Bob'), ('Cid')"));
    auto agents = control(store::connectionStringA(seams.folder()), QStringLiteral("tblNew"));
    QVERIFY2(agents->Refresh(), qPrintable(agents->error()));
    store::RecordSet* rs = agents->Recordset();
    QVERIFY(rs->MoveNext());
    QVERIFY(rs->setValue(QStringLiteral("Name"), QStringLiteral("Robert")));
    QVERIFY2(rs->Update(), qPrintable(rs->error()));
    QCOMPARE(rs->Value(QStringLiteral("Name")).toString(), QStringLiteral("Robert"));
    QCOMPARE(names(RawDatabase(seams.databasePath()), QStringLiteral("tblNew")),
             (QStringList{"Ann", "Robert", "Cid"}));
}

void StoreTest::find_data() {
    QTest::addColumn<int>("start"); // rows moved over after MoveFirst
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("found"); // index into the rows below, -1 for EOF
    // Rows: 0 "Ann", 1 "ann", 2 "O'Neil", 3 "Ann ", 4 "Bob", 5 "Ann"
    QTest::newRow("first match") << 0 << "Ann" << 0;
    QTest::newRow("case matters") << 0 << "ann" << 1;
    QTest::newRow("a quote is an ordinary character") << 0 << "O'Neil" << 2;
    QTest::newRow("a trailing blank matters") << 0 << "Ann " << 3;
    QTest::newRow("the current row counts") << 1 << "ann" << 1;
    QTest::newRow("forward from the current row") << 1 << "Ann" << 5;
    QTest::newRow("earlier rows are not searched") << 2 << "ann" << -1;
    QTest::newRow("no match") << 0 << "Zed" << -1;
    QTest::newRow("quotes cannot widen the search") << 0 << "x' OR '1'='1" << -1;
    QTest::newRow("no wildcards") << 0 << "A%" << -1;
}

void StoreTest::find() {
    QFETCH(int, start);
    QFETCH(QString, value);
    QFETCH(int, found);
    const QStringList rows{"Ann", "ann", "O'Neil", "Ann ", "Bob", "Ann"};
    quiltest::Seams seams;
    seams.createDatabase();
    {
        RawDatabase raw(seams.databasePath());
        for (const QString& name : rows)
            raw.exec(QStringLiteral("INSERT INTO tblNew (Name) VALUES (?)"), {name});
    }
    auto agents = control(store::connectionStringA(seams.folder()), QStringLiteral("tblNew"));
    QVERIFY2(agents->Refresh(), qPrintable(agents->error()));
    store::RecordSet* rs = agents->Recordset();
    QVERIFY(rs->MoveFirst());
    for (int i = 0; i < start; ++i)
        QVERIFY(rs->MoveNext());

    QVERIFY2(rs->Find(QStringLiteral("Name"), value), qPrintable(rs->error()));
    if (found < 0) {
        QVERIFY(rs->atEOF());
        return;
    }
    QVERIFY(!rs->atEOF());
    QCOMPARE(rs->Value(QStringLiteral("ID")).toInt(), found + 1);
    QCOMPARE(rs->Value(QStringLiteral("Name")).toString(), rows.at(found));
}

void StoreTest::badInputFailsRefresh_data() {
    QTest::addColumn<QString>("file"); // missing, garbage, noTable or good
    QTest::addColumn<bool>("named");   // whether the connection string names the file
    QTest::addColumn<QString>("recordSource");
    QTest::addColumn<QString>("errorPart");
    const QString all = QStringLiteral("Select * from tblRem");
    QTest::newRow("missing file") << "missing" << true << all << "unable to open database file";
    QTest::newRow("random bytes") << "garbage" << true << all << "file is not a database";
    QTest::newRow("no tblRem") << "noTable" << true << all << "no such table: tblRem";
    QTest::newRow("no data source") << "good" << false << all << "no data source";
    const QString unsupported = QStringLiteral("unsupported record source");
    const QList<std::pair<const char*, QString>> sources = {
        {"column list", QStringLiteral("Select Name from tblRem")},
        {"filter", QStringLiteral("Select * from tblRem where 1=1")},
        {"second statement", QStringLiteral("Select * from tblRem; drop table tblRem")},
        {"not an identifier", QStringLiteral("Select * from tbl-Rem")},
        {"unclosed bracket", QStringLiteral("Select * from [tblRem")},
        {"not a select", QStringLiteral("delete from tblRem")},
        {"empty record source", QString()},
    };
    for (const auto& [name, source] : sources)
        QTest::newRow(name) << "good" << true << source << unsupported;
}

void StoreTest::badInputFailsRefresh() {
    QFETCH(QString, file);
    QFETCH(bool, named);
    QFETCH(QString, recordSource);
    QFETCH(QString, errorPart);
    quiltest::Seams seams;
    const QString path = seams.databasePath();
    if (file == QLatin1String("garbage")) {
        QFile bytes(path);
        QVERIFY(bytes.open(QIODevice::WriteOnly));
        QRandomGenerator random(20261012);
        for (int i = 0; i < 4096; ++i)
            bytes.putChar(char(random.bounded(256)));
    } else if (file == QLatin1String("noTable")) {
        RawDatabase(path).exec(
            QStringLiteral("CREATE TABLE tblNew (ID INTEGER PRIMARY KEY, Name TEXT)"));
    } else if (file == QLatin1String("good")) {
        seams.createDatabase();
    }
    const QStringList before = folderEntries(seams.folder());

    store::DataControl dc;
    dc.setConnectionString(
        named ? store::connectionStringA(seams.folder())
              : store::Connection{QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0"), {}});
    dc.setRecordSource(recordSource);
    QVERIFY(!dc.Refresh());
    QVERIFY2(dc.error().contains(errorPart), qPrintable(dc.error()));
    // A window that passes the failure over finds an empty record set and a model to show.
    QVERIFY(!dc.Recordset()->MoveFirst());
    QVERIFY(dc.Recordset()->atEOF());
    QVERIFY(dc.model());

    StderrCapture err;
    QCOMPARE(ui::notCaught(false, dc), false);
    const QString written = err.text();
    QCOMPARE(seams.boxes.size(), 1);
    const quiltest::Box box = seams.boxes.first();
    QCOMPARE(box.icon, ui::Icon::Critical);
    QCOMPARE(box.title, kTitle);
    QVERIFY2(box.text.contains(dc.error()), qPrintable(box.text));
    if (named)
        QVERIFY2(box.text.contains(path), qPrintable(box.text));
    QCOMPARE(written, QStringLiteral("quil-data-entry: ") + box.text + QLatin1Char('\n'));
    QCOMPARE(seams.endCodes, QList<int>{1});

    // Nothing made: no new database for a missing file, no log or journal beside a bad one.
    QVERIFY(!dc.Refresh());
    QCOMPARE(folderEntries(seams.folder()), before);
    if (file == QLatin1String("good"))
        QCOMPARE(storetest::schemaMismatch(RawDatabase(path)), QString());
}

void StoreTest::readOnlyFileFailsRefresh() {
    quiltest::Seams seams;
    seams.createDatabase();
    const QString path = seams.databasePath();
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (QFileInfo(path).isWritable())
        QSKIP("this user may write to a write-protected file (root), so it cannot be made "
              "read-only here");
    auto results = control(store::connectionStringA(seams.folder()), QStringLiteral("tblRem"));
    QVERIFY(!results->Refresh());
    QVERIFY2(results->error().contains(QLatin1String("read-only")), qPrintable(results->error()));
    QVERIFY(!ui::notCaught(false, *results));
    QCOMPARE(seams.boxes.size(), 1);
    QVERIFY2(seams.boxes.first().text.contains(path), qPrintable(seams.boxes.first().text));
    QCOMPARE(seams.endCodes, QList<int>{1});
}

void StoreTest::fileRemovedOrReplacedWhileOpen_data() {
    QTest::addColumn<bool>("replaced");
    QTest::newRow("removed") << false;
    QTest::newRow("replaced") << true;
}

void StoreTest::fileRemovedOrReplacedWhileOpen() {
    QFETCH(bool, replaced);
    quiltest::Seams seams;
    seams.createDatabase();
    const QString path = seams.databasePath();
    auto results = control(store::connectionStringA(seams.folder()), QStringLiteral("tblRem"));
    QVERIFY2(results->Refresh(), qPrintable(results->error()));
    store::GridModel* model = results->model();
    QVERIFY2(addResult(*results, QStringLiteral("stored")), qPrintable(results->error()));
    QVERIFY2(results->Refresh(), qPrintable(results->error()));
    if (replaced) {
        const QString other = QDir(seams.folder()).filePath(QStringLiteral("other.mdb"));
        QString error;
        QVERIFY2(store::createDatabase(other, QStringLiteral("admin"), &error), qPrintable(error));
        QCOMPARE(
            std::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()),
            0);
    } else {
        QVERIFY(QFile::remove(path));
    }

    // The engine would write on into the file it has open, unseen by anyone.
    QVERIFY(!addResult(*results, QStringLiteral("lost")));
    QVERIFY2(results->error().contains(QLatin1String("removed or replaced")),
             qPrintable(results->error()));
    QVERIFY(!model->removeRows(0, 1));
    QVERIFY2(model->lastError().text().contains(QLatin1String("removed or replaced")),
             qPrintable(model->lastError().text()));

    QVERIFY(!results->Refresh());
    QVERIFY2(results->error().contains(QLatin1String("removed or replaced")),
             qPrintable(results->error()));
    QCOMPARE(QFileInfo::exists(path), replaced); // and no new file made
}

void StoreTest::errorPolicies() {
    quiltest::Seams seams;
    QVERIFY(!ui::passedOver(false));
    QVERIFY(ui::notCaught(true, QStringLiteral("/q/dbTWRes.mdb"), QStringLiteral("x"),
                          QStringLiteral("y")));
    QVERIFY(seams.boxes.isEmpty());
    QVERIFY(seams.endCodes.isEmpty());

    const QString unsaved = QStringLiteral("12/10/2026 | Juan D. Cruz | Numeric | 91.7");
    {
        StderrCapture err;
        QVERIFY(!ui::notCaught(false, QStringLiteral("/q/dbTWRes.mdb"),
                               QStringLiteral("disk I/O error"), unsaved));
        QVERIFY(err.text().contains(unsaved));
    }
    QCOMPARE(seams.boxes.size(), 1);
    const QString text = seams.boxes.first().text;
    const qsizetype errorAt = text.indexOf(QLatin1String("disk I/O error"));
    const qsizetype unsavedAt = text.indexOf(unsaved);
    QVERIFY2(text.contains(QLatin1String("/q/dbTWRes.mdb")) && errorAt >= 0, qPrintable(text));
    // What was not stored follows the error after a blank line.
    QVERIFY2(unsavedAt > errorAt && text.lastIndexOf(QLatin1String("\n\n"), unsavedAt) > errorAt,
             qPrintable(text));
    QCOMPARE(seams.endCodes, QList<int>{1});
}

// A grid that has read only its first rows keeps its select open; no writer may wait on it,
// and its own writes must not fail on the snapshot it holds.
void StoreTest::gridStillFetchingBlocksNoWriter() {
    quiltest::Seams seams;
    seams.createDatabase();
    {
        RawDatabase raw(seams.databasePath());
        raw.exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < 10000; ++i)
            raw.exec(QStringLiteral("INSERT INTO tblRem (Name) VALUES (?)"),
                     {QStringLiteral("agent %1").arg(i)});
        raw.exec(QStringLiteral("COMMIT"));
    }
    auto grid = control(store::connectionStringB(seams.folder()), QStringLiteral("tblRem"));
    QVERIFY2(grid->Refresh(), qPrintable(grid->error()));
    store::GridModel* model = grid->model();
    QVERIFY(model->rowCount() > 0);
    QVERIFY(model->canFetchMore());

    auto writer = control(store::connectionStringA(seams.folder()), QStringLiteral("tblRem"));
    QVERIFY2(writer->Refresh(), qPrintable(writer->error()));
    QElapsedTimer timer;
    timer.start();
    QVERIFY2(addResult(*writer, QStringLiteral("while the grid reads")),
             qPrintable(writer->error()));
    qInfo("a result row was stored in %lld ms beside the fetching grid", timer.elapsed());

    QVERIFY(model->canFetchMore());
    QVERIFY2(addResult(*grid, QStringLiteral("through the grid's control")),
             qPrintable(grid->error()));
    const QVariant firstKey = model->data(model->index(0, model->fieldIndex(QStringLiteral("ID"))));
    QVERIFY2(model->removeRows(0, 1), qPrintable(model->lastError().text()));
    // The grid goes on reading where it was: every row once, none twice.
    while (model->canFetchMore())
        model->fetchMore();
    QSet<qlonglong> shown;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QVariant key =
            model->data(model->index(row, model->fieldIndex(QStringLiteral("ID"))));
        QVERIFY2(!key.isValid() || !shown.contains(key.toLongLong()),
                 qPrintable(QStringLiteral("row %1 shown twice").arg(key.toLongLong())));
        shown.insert(key.toLongLong());
    }
    QVERIFY(shown.size() >= 9999);

    RawDatabase raw(seams.databasePath());
    QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM tblRem")).toInt(), 10000 + 2 - 1);
    QVERIFY(!raw.value(QStringLiteral("SELECT 1 FROM tblRem WHERE ID = ?"), {firstKey}).isValid());
}

void StoreTest::refreshReselectsTheGrid() {
    quiltest::Seams seams;
    seams.createDatabase();
    RawDatabase(seams.databasePath())
        .exec(QStringLiteral("INSERT INTO tblNew (Name) VALUES ('Ann'), ('Bob')"));
    auto grid = control(store::connectionStringA(seams.folder()), QStringLiteral("tblNew"));
    store::GridModel* model = grid->model(); // asked for before the first Refresh
    QVERIFY2(grid->Refresh(), qPrintable(grid->error()));
    QCOMPARE(grid->model(), model);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Name"));

    auto writer = control(store::connectionStringA(seams.folder()), QStringLiteral("tblNew"));
    QVERIFY2(writer->Refresh(), qPrintable(writer->error()));
    writer->Recordset()->AddNew();
    QVERIFY(writer->Recordset()->setValue(QStringLiteral("Name"), QStringLiteral("Cid")));
    QVERIFY2(writer->Recordset()->Update(), qPrintable(writer->Recordset()->error()));

    QVERIFY2(grid->Refresh(), qPrintable(grid->error()));
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->data(model->index(2, 1)).toString(), QStringLiteral("Cid"));
}

void StoreTest::storedRowIsDurable() {
    quiltest::Seams seams;
    seams.createDatabase();
    const QStringList namesBefore = QSqlDatabase::connectionNames();
    {
        auto results = control(store::connectionStringA(seams.folder()), QStringLiteral("tblRem"));
        QVERIFY2(results->Refresh(), qPrintable(results->error()));
        QVERIFY(results->model());
        QVERIFY2(addResult(*results, QStringLiteral("Durable")), qPrintable(results->error()));
        QCOMPARE(names(RawDatabase(seams.databasePath()), QStringLiteral("tblRem")),
                 QStringList{QStringLiteral("Durable")});

        // Every connection the control opened commits with a full sync to the disk.
        int opened = 0;
        const QStringList namesNow = QSqlDatabase::connectionNames();
        for (const QString& name : namesNow) {
            if (namesBefore.contains(name))
                continue;
            ++opened;
            QSqlQuery query(QSqlDatabase::database(name, false));
            QVERIFY(query.exec(QStringLiteral("PRAGMA synchronous")) && query.next());
            QCOMPARE(query.value(0).toInt(), 2); // FULL
        }
        QVERIFY(opened > 0);
    }
    // The control leaves no connection behind, and its last close leaves no log beside the file.
    QCOMPARE(QSqlDatabase::connectionNames(), namesBefore);
    QCOMPARE(folderEntries(seams.folder()), QStringList{store::kDatabaseFileName});
}

void StoreTest::journalModeIsNeverSwitched() {
    quiltest::Seams seams;
    {
        RawDatabase raw(seams.databasePath());
        raw.exec(QStringLiteral("CREATE TABLE tblRem (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                                "Date TEXT, Time TEXT, Name TEXT, Test TEXT, Errors TEXT, "
                                "Accuracy TEXT, Keystroke TEXT)"));
    }
    auto results = control(store::connectionStringA(seams.folder()), QStringLiteral("tblRem"));
    QVERIFY2(results->Refresh(), qPrintable(results->error()));
    QVERIFY(addResult(*results, QStringLiteral("kept in the file")));
    results.reset();
    QCOMPARE(folderEntries(seams.folder()), QStringList{store::kDatabaseFileName});
    QCOMPARE(
        RawDatabase(seams.databasePath()).value(QStringLiteral("PRAGMA journal_mode")).toString(),
        QStringLiteral("delete"));
}

void StoreTest::createDatabaseLaysOutTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(store::kDatabaseFileName);
    QString error;
    QVERIFY2(store::createDatabase(path, QStringLiteral("pa'ss word"), &error), qPrintable(error));
    QCOMPARE(folderEntries(dir.path()), QStringList{store::kDatabaseFileName});
    // The file holds the admin password: its owner alone may read it.
    QCOMPARE(QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
             QFile::ReadOwner | QFile::WriteOwner);

    RawDatabase raw(path);
    QCOMPARE(storetest::schemaMismatch(raw), QString());
    QCOMPARE(raw.rows(QStringLiteral("SELECT ID, Password FROM tblAdm")),
             (QList<QVariantList>{{1, QStringLiteral("pa'ss word")}}));
    QCOMPARE(raw.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    QCOMPARE(raw.value(QStringLiteral("PRAGMA application_id")).toInt(), store::kApplicationId);
    QVERIFY(raw.value(QStringLiteral("PRAGMA user_version")).toInt() != 0);
}

void StoreTest::createDatabaseRefuses_data() {
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("errorPart");
    QTest::newRow("existing file") << "dbTWRes.mdb"
                                   << "already exists";
    QTest::newRow("dangling link") << "link"
                                   << "already exists";
    QTest::newRow("log left beside it") << "dbTWRes.mdb-wal"
                                        << "dbTWRes.mdb-wal";
    QTest::newRow("journal left beside it") << "dbTWRes.mdb-journal"
                                            << "dbTWRes.mdb-journal";
    QTest::newRow("missing folder") << ""
                                    << "does not exist";
}

void StoreTest::createDatabaseRefuses() {
    QFETCH(QString, obstacle);
    QFETCH(QString, errorPart);
    QTemporaryDir dir;
    QString path = dir.filePath(store::kDatabaseFileName);
    if (obstacle == QLatin1String("link")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), path));
    } else if (obstacle.isEmpty()) {
        path = dir.filePath(QStringLiteral("missing/") + store::kDatabaseFileName);
    } else {
        QFile file(dir.filePath(obstacle));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    const QStringList before = folderEntries(dir.path());

    QString error;
    QVERIFY(!store::createDatabase(path, QStringLiteral("admin"), &error));
    QVERIFY2(error.contains(errorPart), qPrintable(error));
    QCOMPARE(folderEntries(dir.path()), before);
    if (!obstacle.isEmpty() && obstacle != QLatin1String("link")) {
        QFile file(dir.filePath(obstacle));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
    }
}

QTEST_MAIN(StoreTest)
#include "tst_store.moc"
