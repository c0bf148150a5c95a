// The grid model on a table bigger than one fetch: newest first without reading the table,
// and writes that neither read the whole table nor show a row twice or lose one.
#include "Fill.h"

#include "core/ConnectionString.h"
#include "store/DataControl.h"
#include "store/GridModel.h"
#include "support/Rows.h"
#include "support/Seams.h"

#include <QSet>
#include <QSignalSpy>
#include <QSqlError>
#include <QTest>
#include <memory>

namespace {

constexpr int kRows = 2000;

std::unique_ptr<store::DataControl> grid(const QString& folder, const QString& table,
                                         Qt::SortOrder order = Qt::DescendingOrder) {
    auto control = std::make_unique<store::DataControl>();
    control->setConnectionString(store::connectionStringA(folder));
    control->setRecordSource(QStringLiteral("Select * from ") + table);
    control->model()->setKeyOrder(order);
    if (!control->Refresh())
        qFatal("Refresh: %s", qPrintable(control->error()));
    return control;
}

// The keys the model shows, in order, once it has read everything.
QList<qlonglong> allKeys(store::GridModel* model) {
    while (model->canFetchMore())
        model->fetchMore();
    QList<qlonglong> keys;
    for (int row = 0; row < model->rowCount(); ++row)
        keys << model->data(model->index(row, 0)).toLongLong();
    return keys;
}

QList<qlonglong> descending(int from, const QSet<qlonglong>& without = {}) {
    QList<qlonglong> keys;
    for (qlonglong key = from; key >= 1; --key) {
        if (!without.contains(key))
            keys << key;
    }
    return keys;
}

} // namespace

class GridModelTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensNewestFirstWithoutReadingTheTable();
    void deletingShowsEveryOtherRowOnce_data();
    void deletingShowsEveryOtherRowOnce();
    void editingStoresTheRowAndKeepsTheRest();
    void refreshShowsRowsStoredMeanwhile();
    void keepingOneRow_data();
    void keepingOneRow();

private:
    std::unique_ptr<quiltest::Seams> seams;
};

void GridModelTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    seams->createDatabase();
}

void GridModelTest::cleanup() {
    seams.reset();
}

void GridModelTest::opensNewestFirstWithoutReadingTheTable() {
    recordstest::fillResults(seams->databasePath(), kRows);
    auto results = grid(seams->folder(), QStringLiteral("tblRem"));
    store::GridModel* model = results->model();
    QVERIFY(model->rowCount() < kRows);
    QVERIFY(model->canFetchMore());
    QCOMPARE(model->data(model->index(0, 0)).toInt(), kRows);
    QCOMPARE(model->data(model->index(0, model->fieldIndex(QStringLiteral("Name")))).toString(),
             QStringLiteral("agent %1").arg(kRows));
    QCOMPARE(allKeys(model), descending(kRows));
}

void GridModelTest::deletingShowsEveryOtherRowOnce_data() {
    QTest::addColumn<int>("readTo"); // rows read before the deletion, at least
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("the first row") << 0 << QList<int>{0};
    QTest::newRow("rows apart, one of them read later") << 600 << QList<int>{1, 7, 550};
    QTest::newRow("after reading the whole table") << kRows << QList<int>{0, kRows - 1};
}

void GridModelTest::deletingShowsEveryOtherRowOnce() {
    QFETCH(int, readTo);
    QFETCH(QList<int>, rows);
    recordstest::fillResults(seams->databasePath(), kRows);
    auto results = grid(seams->folder(), QStringLiteral("tblRem"));
    store::GridModel* model = results->model();
    while (model->rowCount() < readTo && model->canFetchMore())
        model->fetchMore();
    const int depth = model->rowCount();
    QSet<qlonglong> deleted;
    for (int row : rows)
        deleted.insert(model->data(model->index(row, 0)).toLongLong());

    QCOMPARE(model->deleteRows(rows), store::GridModel::Deletion::Deleted);
    // Read as far down as before, and no further than needed.
    QVERIFY(model->rowCount() >= depth - rows.size());
    QCOMPARE(model->canFetchMore(), depth < kRows);
    QCOMPARE(allKeys(model), descending(kRows, deleted));
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).size(),
             kRows - rows.size());
}

void GridModelTest::editingStoresTheRowAndKeepsTheRest() {
    recordstest::fillResults(seams->databasePath(), kRows);
    auto results = grid(seams->folder(), QStringLiteral("tblRem"));
    store::GridModel* model = results->model();
    QVERIFY(model->canFetchMore());
    const int date = model->fieldIndex(QStringLiteral("Date"));
    QVERIFY(model->setData(model->index(1, date), QStringLiteral("12/31/2026")));
    QVERIFY2(model->submit(), qPrintable(model->lastError().text()));

    QCOMPARE(model->data(model->index(1, date)).toString(), QStringLiteral("12/31/2026"));
    QCOMPARE(allKeys(model), descending(kRows));
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).at(kRows - 2).at(0),
             QStringLiteral("12/31/2026"));
}

// The unfinished select of the first fill must not hand its old snapshot to the next one.
void GridModelTest::refreshShowsRowsStoredMeanwhile() {
    recordstest::fillResults(seams->databasePath(), kRows);
    auto results = grid(seams->folder(), QStringLiteral("tblRem"));
    QVERIFY(results->model()->canFetchMore());
    recordstest::fillResults(seams->databasePath(), 1);
    QVERIFY2(results->Refresh(), qPrintable(results->error()));
    QCOMPARE(results->model()->data(results->model()->index(0, 0)).toInt(), kRows + 1);
}

void GridModelTest::keepingOneRow_data() {
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<store::GridModel::Deletion>("outcome");
    QTest::addColumn<int>("left");
    QTest::newRow("the only row") << QStringList{} << QList<int>{0}
                                  << store::GridModel::Deletion::LastRowKept << 1;
    QTest::newRow("every row at once")
        << QStringList{"spare"} << QList<int>{0, 1} << store::GridModel::Deletion::LastRowKept << 2;
    QTest::newRow("one of two") << QStringList{"spare"} << QList<int>{0}
                                << store::GridModel::Deletion::Deleted << 1;
}

void GridModelTest::keepingOneRow() {
    QFETCH(QStringList, passwords);
    QFETCH(QList<int>, rows);
    QFETCH(store::GridModel::Deletion, outcome);
    QFETCH(int, left);
    for (const QString& password : passwords)
        quiltest::execute(
            seams->databasePath(),
            QStringLiteral("INSERT INTO tblAdm (Password) VALUES ('%1')").arg(password));
    auto admin = grid(seams->folder(), QStringLiteral("tblAdm"), Qt::AscendingOrder);
    store::GridModel* model = admin->model();
    QCOMPARE(model->deleteRows(rows, true), outcome);
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblAdm")).size(), left);
    QCOMPARE(model->rowCount(), left);
}

QTEST_MAIN(GridModelTest)
#include "tst_gridmodel.moc"
