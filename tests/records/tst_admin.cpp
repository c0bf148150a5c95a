// The admin window: the password check, the records stage with its grids, deleting and
// editing rows, and the ways out.
#include "Fill.h"
#include "core/IdleSelector.h"

#include "app/frmEntry.h"
#include "records/AdminPassword.h"
#include "records/DataGrid.h"
#include "records/frmAdm.h"
#include "records/frmRemarks.h"
#include "store/DataControl.h"
#include "support/Rows.h"
#include "support/Seams.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace {

const QString kWarning = QStringLiteral("Incorrect Admin Password");

// Clicks the record selectors of rows first to last (Shift-click for the last), through the
// window system, so that the grid sees the Shift key held.
void selectRows(DataGrid* grid, int first, int last) {
    QHeaderView* selectors = grid->verticalHeader();
    const auto at = [selectors](int row) {
        const QPoint middle(selectors->width() / 2, selectors->sectionViewportPosition(row) +
                                                        selectors->sectionSize(row) / 2);
        return selectors->viewport()->mapTo(selectors->window(), middle);
    };
    QWindow* window = selectors->window()->windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, {}, at(first));
    if (last != first)
        QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, at(last));
}

// The accepted password gives the window a new fixed size, which the offscreen platform cannot
// pass on to a window system.
void expectNewFixedSize() {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support propagateSizeHints()");
}

QStringList column(const QString& databasePath, const QString& table, int field) {
    QStringList values;
    for (const QStringList& row : quiltest::rows(databasePath, table))
        values << row.at(field);
    return values;
}

// The column treatment of the records stage, as the user sees it.
void verifyColumnTreatment(frmAdm* adm) {
    const QList<bool> resultsHidden{true, false, false, false, true, true, true, true};
    const QList<bool> resultsLocked{false, false, true, true, true, true, true, true};
    for (int c = 0; c < resultsHidden.size(); ++c) {
        QCOMPARE(adm->DataGrid1->isColumnHidden(c), resultsHidden.at(c));
        QCOMPARE(adm->DataGrid1->isColumnLocked(c), resultsLocked.at(c));
    }
    QVERIFY(adm->DataGrid2->isColumnHidden(0));
    QVERIFY(!adm->DataGrid2->isColumnHidden(1));
    QVERIFY(adm->DataGrid2->isColumnLocked(1));
    QVERIFY(adm->DataGrid3->isColumnHidden(0));
    QVERIFY(!adm->DataGrid3->isColumnHidden(1));
    QVERIFY(!adm->DataGrid3->isColumnLocked(1));
}

} // namespace

class AdminTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void passwordStageMasksTheText();
    void passwordCheck_data();
    void passwordCheck();
    void unreadablePasswordTableRefusesEveryPassword();
    void recordsStageShowsTheTreatedGrids();
    void delDeletesTheSelectedWholeRows();
    void editingACellStoresItWhenTheRowIsLeft_data();
    void editingACellStoresItWhenTheRowIsLeft();
    void failedWriteIsReportedAndUndone_data();
    void failedWriteIsReportedAndUndone();
    void unusablePasswordIsRefused_data();
    void unusablePasswordIsRefused();
    void passwordEditRefusal_data();
    void passwordEditRefusal();
    void deletingPasswordRowsKeepsTheLastOne_data();
    void deletingPasswordRowsKeepsTheLastOne();
    void waysOut_data();
    void waysOut();

private:
    void loadMain();
    frmAdm* openAdmin();
    frmAdm* openRecordsStage(const QString& password = QStringLiteral("admin"));

    std::unique_ptr<quiltest::Seams> seams;
    QPointer<frmEntry> main;
};

void AdminTest::init() {
    seams = std::make_unique<quiltest::Seams>();
}

void AdminTest::cleanup() {
    delete Windows::find<frmAdm>();
    delete Windows::find<frmRemarks>();
    delete main.data();
    seams.reset();
}

// The main window loads the database: it must exist before.
// The main window checks the file as it loads; a fault made afterwards meets the window.
void AdminTest::loadMain() {
    if (!main) {
        main = Windows::show<frmEntry>();
        main->Timer1->stop();
    }
}

frmAdm* AdminTest::openAdmin() {
    loadMain();
    main->amd->trigger();
    frmAdm* adm = Windows::find<frmAdm>();
    if (!adm)
        qFatal("the admin window did not open");
    QApplication::setActiveWindow(adm);
    if (!QTest::qWaitForWindowActive(adm))
        qFatal("the admin window did not become active");
    return adm;
}

frmAdm* AdminTest::openRecordsStage(const QString& password) {
    frmAdm* adm = openAdmin();
    QTest::keyClicks(adm->Text1, password);
    expectNewFixedSize();
    QTest::keyClick(adm->Text1, Qt::Key_Return);
    if (!adm->Picture1->isVisible())
        qFatal("the records stage did not open");
    return adm;
}

void AdminTest::passwordStageMasksTheText() {
    seams->createDatabase();
    frmAdm* adm = openAdmin();
    QCOMPARE(adm->windowTitle(), QStringLiteral("Admin"));
    QCOMPARE(adm->size(), twipsSize(3030, 1605));
    QVERIFY(adm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(adm->Frame1->isVisible());
    QVERIFY(!adm->Picture1->isVisible());
    QCOMPARE(QApplication::focusWidget(), adm->Text1);
    QTest::keyClicks(adm->Text1, QStringLiteral("ab'c"));
    QCOMPARE(adm->Text1->displayText(), QStringLiteral("****"));
    QVERIFY(main->isEnabled());
}

void AdminTest::passwordCheck_data() {
    QTest::addColumn<QStringList>("stored"); // tblAdm in key order
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("keysSent"); // Home, Shift+End to the next window
    QTest::addColumn<bool>("enablesMain");
    QTest::newRow("the stored password")
        << QStringList{"admin"} << "admin" << true << false << false;
    QTest::newRow("a wrong password") << QStringList{"admin"} << "nimda" << false << false << false;
    QTest::newRow("nothing typed") << QStringList{"admin"} << "" << false << false << true;
    QTest::newRow("the stored password in other letter case")
        << QStringList{"admin"} << "ADMIN" << false << true << false;
    QTest::newRow("a stored password with a quote inside")
        << QStringList{"pa'ss"} << "pa'ss" << true << false << false;
    QTest::newRow("a quote that is not stored")
        << QStringList{"admin"} << "ad'min" << false << false << false;
    QTest::newRow("an SQL fragment")
        << QStringList{"admin"} << "' OR '1'='1" << false << false << false;
    QTest::newRow("the second row, the first differing only in case")
        << QStringList{"Secret", "secret"} << "secret" << true << false << false;
}

void AdminTest::passwordCheck() {
    QFETCH(QStringList, stored);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(bool, keysSent);
    QFETCH(bool, enablesMain);
    seams->createDatabase(stored.first());
    for (const QString& password : stored.mid(1))
        quiltest::execute(
            seams->databasePath(),
            QStringLiteral("INSERT INTO tblAdm (Password) VALUES ('%1')").arg(password));
    if (!typed.isEmpty())
        QTest::failOnWarning(QRegularExpression(QRegularExpression::escape(typed)));

    // The window that has the focus once the admin window is gone.
    QLineEdit next;
    next.setText(QStringLiteral("focused field"));
    QPointer<frmAdm> adm = openAdmin();
    main->setEnabled(false); // as another window may have done
    QTest::keyClicks(adm->Text1, typed);
    if (accepted)
        expectNewFixedSize();
    QTest::keyClick(adm->Text1, Qt::Key_Return);

    if (accepted) {
        QVERIFY(seams->boxes.isEmpty());
        QVERIFY(adm && adm->isVisible());
        QVERIFY(adm->Picture1->isVisible());
        QVERIFY(!adm->Frame1->isVisible());
        return;
    }
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes.first().icon, ui::Icon::Exclamation);
    QCOMPARE(seams->boxes.first().text, kWarning);
    QCOMPARE(seams->boxes.first().title, QStringLiteral("Close"));
    QVERIFY(!adm->isVisible());
    QTRY_VERIFY(!adm);
    QCOMPARE(main->isEnabled(), enablesMain);

    next.show();
    QApplication::setActiveWindow(&next);
    QVERIFY(QTest::qWaitForWindowActive(&next));
    QTest::qWait(20);
    QCOMPARE(next.selectedText(), keysSent ? next.text() : QString());
}

void AdminTest::unreadablePasswordTableRefusesEveryPassword() {
    seams->createDatabase();
    loadMain();
    quiltest::execute(seams->databasePath(), QStringLiteral("DROP TABLE tblAdm"));
    QPointer<frmAdm> adm = openAdmin();
    QVERIFY(seams->boxes.isEmpty()); // the load passes the failure over
    QVERIFY(seams->endCodes.isEmpty());
    QTest::keyClicks(adm->Text1, QStringLiteral("admin"));
    QTest::keyClick(adm->Text1, Qt::Key_Return);
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes.first().text, kWarning);
    QTRY_VERIFY(!adm);
    QVERIFY(seams->endCodes.isEmpty());
}

void AdminTest::recordsStageShowsTheTreatedGrids() {
    seams->createDatabase();
    recordstest::fillResults(seams->databasePath(), 2);
    quiltest::execute(seams->databasePath(),
                      QStringLiteral("INSERT INTO tblNew (Name) VALUES ('Ana M. Reyes')"));
    frmAdm* adm = openRecordsStage();
    QCOMPARE(adm->frameGeometry(), twipsRect(4000, 2333, 7695, 6645));
    QVERIFY(main->isEnabled());
    QCOMPARE(adm->DataGrid1->model()->rowCount(), 2);
    QCOMPARE(adm->DataGrid1->model()->data(adm->DataGrid1->model()->index(0, 1)).toString(),
             QStringLiteral("d 2")); // newest first
    QCOMPARE(adm->DataGrid2->model()->data(adm->DataGrid2->model()->index(0, 1)).toString(),
             QStringLiteral("Ana M. Reyes"));
    QCOMPARE(adm->Label1->text(), QStringLiteral("To delete file: Select the data and press Del"));
    verifyColumnTreatment(adm);

    QVERIFY(adm->Option1->isChecked());
    QVERIFY(!adm->DataGrid3->isVisible());
    QTest::mouseClick(adm->Option2, Qt::LeftButton);
    QVERIFY(adm->DataGrid3->isVisible());
    QCOMPARE(adm->DataGrid3->model()->data(adm->DataGrid3->model()->index(0, 1)).toString(),
             QStringLiteral("admin"));
    QTest::mouseClick(adm->Option1, Qt::LeftButton);
    QVERIFY(!adm->DataGrid3->isVisible());
}

void AdminTest::delDeletesTheSelectedWholeRows() {
    seams->createDatabase();
    recordstest::fillResults(seams->databasePath(), 600); // more than one fetch
    frmAdm* adm = openRecordsStage();
    DataGrid* results = adm->DataGrid1;

    // A cell alone is no whole row.
    results->setCurrentIndex(results->model()->index(0, 1));
    QTest::keyClick(results, Qt::Key_Delete);
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).size(), 600);

    // Newest first: the two latest results.
    selectRows(results, 0, 1);
    QTest::keyClick(results, Qt::Key_Delete);
    const QStringList names = column(seams->databasePath(), QStringLiteral("tblRem"), 2);
    QCOMPARE(names.size(), 598);
    QCOMPARE(names.last(), QStringLiteral("agent 598"));
    QCOMPARE(results->model()->data(results->model()->index(0, 3)).toString(),
             QStringLiteral("agent 598"));
    verifyColumnTreatment(adm);
    QVERIFY(seams->boxes.isEmpty());

    // The main window goes on storing results meanwhile.
    store::RecordSet* stored = main->adosearch->Recordset();
    stored->AddNew();
    QVERIFY(stored->setValue(QStringLiteral("Name"), QStringLiteral("stored meanwhile")));
    QVERIFY2(stored->Update(), qPrintable(stored->error()));

    QTest::mouseClick(adm->Command3, Qt::LeftButton);
    main->result->trigger();
    QAbstractItemModel* listed = Windows::find<frmRemarks>()->MSHFlexGrid1->model();
    while (listed->canFetchMore({}))
        listed->fetchMore({});
    QCOMPARE(listed->rowCount(), 599);
    QCOMPARE(listed->data(listed->index(0, 3)).toString(), QStringLiteral("stored meanwhile"));
    QCOMPARE(listed->data(listed->index(1, 3)).toString(), QStringLiteral("agent 598"));
}

void AdminTest::editingACellStoresItWhenTheRowIsLeft_data() {
    QTest::addColumn<int>("grid"); // 1 results, 3 passwords
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("tabFirst");  // the editor closes before the row is left
    QTest::addColumn<bool>("byClose");   // the row is left by closing the window
    QTest::addColumn<QString>("stored"); // in the newest row, once the row is left
    QTest::newRow("results: Date, row left while editing")
        << 1 << 1 << "tblRem" << false << false << "12/31/2026";
    QTest::newRow("results: Date, row left after Tab")
        << 1 << 1 << "tblRem" << true << false << "12/31/2026";
    QTest::newRow("results: Date, window closed after Tab")
        << 1 << 1 << "tblRem" << true << true << "12/31/2026";
    QTest::newRow("results: Time is locked")
        << 1 << 2 << "tblRem" << false << false << "1:00:00 PM";
    QTest::newRow("passwords: Password") << 3 << 1 << "tblAdm" << false << false << "12/31/2026";
}

void AdminTest::editingACellStoresItWhenTheRowIsLeft() {
    QFETCH(int, grid);
    QFETCH(int, column);
    QFETCH(QString, table);
    QFETCH(bool, tabFirst);
    QFETCH(bool, byClose);
    QFETCH(QString, stored);
    seams->createDatabase();
    recordstest::fillResults(seams->databasePath(), 2);
    quiltest::execute(seams->databasePath(),
                      QStringLiteral("INSERT INTO tblAdm (Password) VALUES ('spare')"));
    frmAdm* adm = openRecordsStage();
    QTest::mouseClick(adm->Option2, Qt::LeftButton);
    DataGrid* edited = grid == 1 ? adm->DataGrid1 : adm->DataGrid3;
    const QStringList before = quiltest::rows(seams->databasePath(), table).last();

    edited->setFocus();
    edited->setCurrentIndex(edited->model()->index(0, column));
    QTest::keyClick(edited, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12/31/2026"));
    if (tabFirst)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(quiltest::rows(seams->databasePath(), table).last(), before);
    if (byClose)
        QTest::mouseClick(adm->Command3, Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(quiltest::rows(seams->databasePath(), table).last().at(column - 1), stored);
    QVERIFY(seams->boxes.isEmpty());
}

void AdminTest::failedWriteIsReportedAndUndone_data() {
    QTest::addColumn<QString>("refused");
    QTest::newRow("an edited Date") << "UPDATE";
    QTest::newRow("a deletion") << "DELETE";
}

void AdminTest::failedWriteIsReportedAndUndone() {
    QFETCH(QString, refused);
    seams->createDatabase();
    recordstest::fillResults(seams->databasePath(), 2);
    loadMain();
    quiltest::execute(seams->databasePath(),
                      QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON tblRem BEGIN "
                                     "SELECT RAISE(ABORT, 'refused by the test'); END")
                          .arg(refused));
    const QList<QStringList> before =
        quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    frmAdm* adm = openRecordsStage();
    DataGrid* results = adm->DataGrid1;
    if (refused == QLatin1String("UPDATE")) {
        results->setFocus();
        results->setCurrentIndex(results->model()->index(0, 1));
        QTest::keyClick(results, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12/31/2026"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    } else {
        selectRows(results, 0, 1);
        QTest::keyClick(results, Qt::Key_Delete);
    }
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes.first().icon, ui::Icon::Critical);
    QVERIFY2(seams->boxes.first().text.contains(QLatin1String("refused by the test")),
             qPrintable(seams->boxes.first().text));
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")), before);
    // The grid shows what the table holds.
    QCOMPARE(results->model()->rowCount(), 2);
    QCOMPARE(results->model()->data(results->model()->index(0, 1)).toString(),
             QStringLiteral("d 2"));
}

// The only password made empty (Show Password, F2, Ctrl+A, Del, Enter) would lock every admin
// out for good, as deleting the last row would.
void AdminTest::unusablePasswordIsRefused_data() {
    QTest::addColumn<QString>("typed"); // what replaces the password in its editor
    QTest::addColumn<QString>("refusal");
    QTest::newRow("cleared") << ""
                             << "empty or blank";
    QTest::newRow("blanks") << "   "
                            << "empty or blank";
    QTest::newRow("a tab") << "\t"
                           << "empty or blank";
}

// The grid's editor takes no more than the password box, but a value may come another way.
void AdminTest::passwordEditRefusal_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("refused");
    QTest::newRow("NULL") << QVariant() << true;
    QTest::newRow("empty") << QVariant(QStringLiteral("")) << true;
    QTest::newRow("a blank") << QVariant(QStringLiteral(" ")) << true;
    QTest::newRow("as long as the box takes") << QVariant(QString(8, QLatin1Char('x'))) << false;
    QTest::newRow("longer") << QVariant(QString(9, QLatin1Char('x'))) << true;
    QTest::newRow("blanks around a word") << QVariant(QStringLiteral(" pass ")) << false;
}

void AdminTest::passwordEditRefusal() {
    QFETCH(QVariant, value);
    QFETCH(bool, refused);
    QCOMPARE(!records::passwordEditRefusal(value, 8).isEmpty(), refused);
}

void AdminTest::unusablePasswordIsRefused() {
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    seams->createDatabase();
    frmAdm* adm = openRecordsStage();
    QTest::mouseClick(adm->Option2, Qt::LeftButton);
    DataGrid* passwords = adm->DataGrid3;
    passwords->setFocus();
    passwords->setCurrentIndex(passwords->model()->index(0, 1));
    QTest::keyClick(passwords, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    editor->insert(typed);
    QTest::keyClick(editor, Qt::Key_Return); // the editor closes once the event loop runs

    QTRY_COMPARE(seams->boxes.size(), 1);
    QVERIFY2(seams->boxes.first().text.contains(refusal), qPrintable(seams->boxes.first().text));
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblAdm")),
             QList<QStringList>{{QStringLiteral("admin")}});
    QCOMPARE(passwords->model()->data(passwords->model()->index(0, 1)).toString(),
             QStringLiteral("admin"));
}

void AdminTest::deletingPasswordRowsKeepsTheLastOne_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<int>("selected"); // rows from the newest
    QTest::addColumn<QStringList>("left");
    QTest::newRow("the only row") << QStringList{"s3cret"} << 1 << QStringList{"s3cret"};
    QTest::newRow("both of two") << QStringList{"s3cret", "spare"} << 2
                                 << QStringList{"s3cret", "spare"};
    QTest::newRow("one of two") << QStringList{"s3cret", "spare"} << 1 << QStringList{"s3cret"};
}

void AdminTest::deletingPasswordRowsKeepsTheLastOne() {
    QFETCH(QStringList, stored);
    QFETCH(int, selected);
    QFETCH(QStringList, left);
    seams->createDatabase(stored.first());
    for (const QString& password : stored.mid(1))
        quiltest::execute(
            seams->databasePath(),
            QStringLiteral("INSERT INTO tblAdm (Password) VALUES ('%1')").arg(password));
    frmAdm* adm = openRecordsStage(stored.first());
    QTest::mouseClick(adm->Option2, Qt::LeftButton);
    selectRows(adm->DataGrid3, 0, selected - 1);
    QTest::keyClick(adm->DataGrid3, Qt::Key_Delete);

    QCOMPARE(column(seams->databasePath(), QStringLiteral("tblAdm"), 0), left);
    QCOMPARE(adm->DataGrid3->model()->rowCount(), left.size());
    const bool refused = left.size() == stored.size();
    QCOMPARE(seams->boxes.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(seams->boxes.first().icon, ui::Icon::Exclamation);
        QVERIFY2(seams->boxes.first().text.contains(QLatin1String("last admin password")),
                 qPrintable(seams->boxes.first().text));
        for (const QString& password : stored)
            QVERIFY(!seams->boxes.first().text.contains(password));
    }
}

void AdminTest::waysOut_data() {
    QTest::addColumn<bool>("recordsStage");
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("enablesMain");
    QTest::newRow("password stage: Close") << false << "Command2" << true;
    QTest::newRow("records stage: &Close") << true << "Command3" << true;
    QTest::newRow("password stage: close box") << false << "" << false;
    QTest::newRow("records stage: close box") << true << "" << false;
}

void AdminTest::waysOut() {
    QFETCH(bool, recordsStage);
    QFETCH(QString, way);
    QFETCH(bool, enablesMain);
    seams->createDatabase();
    QPointer<frmAdm> adm = recordsStage ? openRecordsStage() : openAdmin();
    main->setEnabled(false); // as another window may have done
    if (way.isEmpty())
        adm->close();
    else
        QTest::mouseClick(adm->findChild<QPushButton*>(way), Qt::LeftButton);
    QVERIFY(!adm->isVisible());
    QCOMPARE(main->isEnabled(), enablesMain);
    QTRY_VERIFY(!adm);
    QVERIFY(seams->boxes.isEmpty());
}

QTEST_MAIN(AdminTest)
#include "tst_admin.moc"
