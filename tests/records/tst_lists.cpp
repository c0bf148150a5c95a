// The results and system usage windows, opened from the main window's menu.
#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "records/frmMn.h"
#include "records/frmRemarks.h"
#include "store/DataControl.h"
#include "support/Rows.h"
#include "support/Seams.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QAction>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// A column width: twips, or kDefault for the grid's own default width.
constexpr int kDefault = -1;

struct ListCase {
    QString caption;
    QString table;
    QStringList fields; // after the key
    QList<int> widths;  // of the fields, twips
};

ListCase listCase(const QString& window) {
    if (window == QLatin1String("results"))
        return {QStringLiteral("Quil's Data Entry Result"),
                QStringLiteral("tblRem"),
                {"Date", "Time", "Name", "Test", "Errors", "Accuracy", "Keystroke"},
                {kDefault, 1200, 2500, 1500, 800, 900, 900}};
    return {QStringLiteral("SYSTEM USAGE RECORD"),
            QStringLiteral("tblSystem"),
            {"Date", "Time", "Elapsed", "LastAgent"},
            {1200, 1500, 2100, 2700}};
}

// Row n of the fixture holds "<field> n" in every field.
void addRow(const QString& databasePath, const ListCase& list, int n) {
    QStringList values;
    for (const QString& field : list.fields)
        values << QStringLiteral("'%1 %2'").arg(field).arg(n);
    quiltest::execute(databasePath, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                        .arg(list.table, list.fields.join(QLatin1Char(',')),
                                             values.join(QLatin1Char(','))));
}

} // namespace

class ListsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listsTheTableNewestFirst_data();
    void listsTheTableNewestFirst();
    void emptyTableShowsOnlyTheHeading_data();
    void emptyTableShowsOnlyTheHeading();
    void everyWayOutGivesTheMainWindowBack_data();
    void everyWayOutGivesTheMainWindowBack();
    void missingTableEndsTheProgram_data();
    void missingTableEndsTheProgram();

private:
    RecordsList* open(const QString& window);
    RecordsList* openWindow(const QString& window);

    std::unique_ptr<quiltest::Seams> seams;
    QPointer<frmEntry> main;
};

void ListsTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    seams->createDatabase();
    main = Windows::show<frmEntry>();
    main->Timer1->stop();
}

void ListsTest::cleanup() {
    delete Windows::find<frmRemarks>();
    delete Windows::find<frmMn>();
    delete main.data();
    seams.reset();
}

// Through the main window's menu.
RecordsList* ListsTest::open(const QString& window) {
    if (window == QLatin1String("results")) {
        main->result->trigger();
        return Windows::find<frmRemarks>();
    }
    main->sssss->trigger();
    return Windows::find<frmMn>();
}

RecordsList* ListsTest::openWindow(const QString& window) {
    RecordsList* list = open(window);
    if (!list)
        qFatal("the %s window did not open", qPrintable(window));
    return list;
}

void ListsTest::listsTheTableNewestFirst_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("results") << "results";
    QTest::newRow("system usage") << "usage";
}

void ListsTest::listsTheTableNewestFirst() {
    QFETCH(QString, window);
    const ListCase list = listCase(window);
    for (int n = 1; n <= 3; ++n)
        addRow(seams->databasePath(), list, n);

    RecordsList* shown = openWindow(window);
    QCOMPARE(shown->windowTitle(), list.caption);
    QVERIFY(shown->isVisible());
    QVERIFY(shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!main->isEnabled());

    QTableView* grid = shown->MSHFlexGrid1;
    QAbstractItemModel* model = grid->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->columnCount(), list.fields.size() + 1);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(model->data(model->index(row, 1)).toString(),
                 QStringLiteral("Date %1").arg(3 - row));
    QVERIFY(grid->isColumnHidden(0));
    QVERIFY(!grid->verticalHeader()->isVisible());
    for (int field = 0; field < list.fields.size(); ++field) {
        const int column = field + 1;
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), list.fields.at(field));
        QVERIFY(!grid->isColumnHidden(column));
        const int width = list.widths.at(field);
        QCOMPARE(grid->columnWidth(column),
                 width == kDefault ? grid->horizontalHeader()->defaultSectionSize() : twips(width));
    }
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void ListsTest::emptyTableShowsOnlyTheHeading_data() {
    listsTheTableNewestFirst_data();
}

void ListsTest::emptyTableShowsOnlyTheHeading() {
    QFETCH(QString, window);
    RecordsList* shown = openWindow(window);
    QTableView* grid = shown->MSHFlexGrid1;
    QCOMPARE(grid->model()->rowCount(), 0);
    QCOMPARE(grid->model()->columnCount(), listCase(window).fields.size() + 1);
    QVERIFY(grid->horizontalHeader()->isVisible());
    QVERIFY(seams->boxes.isEmpty());
}

void ListsTest::everyWayOutGivesTheMainWindowBack_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("closes");
    QTest::newRow("results: &Close") << "results"
                                     << "button" << true;
    QTest::newRow("results: Enter") << "results"
                                    << "enter" << true;
    QTest::newRow("results: close box") << "results"
                                        << "close box" << true;
    QTest::newRow("results: Escape") << "results"
                                     << "escape" << true;
    QTest::newRow("usage: Close") << "usage"
                                  << "button" << true;
    QTest::newRow("usage: Escape") << "usage"
                                   << "escape" << true;
    QTest::newRow("usage: close box") << "usage"
                                      << "close box" << true;
    QTest::newRow("usage: Enter is no way out") << "usage"
                                                << "enter" << false;
}

void ListsTest::everyWayOutGivesTheMainWindowBack() {
    QFETCH(QString, window);
    QFETCH(QString, way);
    QFETCH(bool, closes);
    QPointer<RecordsList> shown = openWindow(window);
    QVERIFY(!main->isEnabled());
    if (way == QLatin1String("button"))
        QTest::mouseClick(shown->Command1, Qt::LeftButton);
    else if (way == QLatin1String("enter"))
        QTest::keyClick(shown->MSHFlexGrid1, Qt::Key_Return);
    else if (way == QLatin1String("escape"))
        QTest::keyClick(shown->MSHFlexGrid1, Qt::Key_Escape);
    else
        shown->close();
    QCOMPARE(shown && shown->isVisible(), !closes);
    QCOMPARE(main->isEnabled(), closes);
    QVERIFY(main->isVisible());
    if (closes)
        QTRY_VERIFY(!shown); // unloaded: the next opening reads the table afresh
}

void ListsTest::missingTableEndsTheProgram_data() {
    listsTheTableNewestFirst_data();
}

void ListsTest::missingTableEndsTheProgram() {
    QFETCH(QString, window);
    quiltest::execute(seams->databasePath(),
                      QStringLiteral("DROP TABLE ") + listCase(window).table);
    open(window);
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes.first().icon, ui::Icon::Critical);
    QVERIFY2(seams->boxes.first().text.contains(seams->databasePath()),
             qPrintable(seams->boxes.first().text));
    QVERIFY2(seams->boxes.first().text.contains(listCase(window).table),
             qPrintable(seams->boxes.first().text));
    QCOMPARE(seams->endCodes, QList<int>{1});
}

QTEST_MAIN(ListsTest)
#include "tst_lists.moc"
