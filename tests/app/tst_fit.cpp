// The windows are laid out for Tahoma. With the face the program loads, their captions and the
// texts they show fit the given geometry: a text that would be cut shows here as a row.
#include "Fit.h"
#include "core/NumericContent.h"
#include "core/WordTestKind.h"

#include "agents/frmAgent.h"
#include "agents/frmLog.h"
#include "app/frmEntry.h"
#include "exam/EntryField.h"
#include "records/frmAdm.h"
#include "records/frmMn.h"
#include "records/frmRemarks.h"
#include "support/MainWindow.h"
#include "support/Rows.h"
#include "ui/Fonts.h"
#include "ui/frmAbout.h"
#include "ui/frmTu.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString kTahomaFile = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");

// The longest display name, 32 characters: a first name of 14, the initial, a last name of 14.
const QString kLongName = QStringLiteral("Maria Cristina L. Villanueva Tan");
// The widest clock and usage texts.
const QString kClock = QStringLiteral("12:59:59 PM");
const QString kUsage = QStringLiteral("SD: 99 hr 59 min 59 sec");
const QString kDate = QStringLiteral("12/31/2026");
// The short date where no locale is set: the widest usual form.
const QString kDateWithoutLocale = QStringLiteral("28 Sep 2026");

template <class W> W* loaded(W* window) {
    window->Form_Load();
    window->show();
    return window;
}

// Every window of the program once, over one database, the admin window in both stages.
struct AllWindows {
    AllWindows() {
        QString longRows;
        for (int i = 0; i < 30; ++i)
            longRows += QStringLiteral("%1('%2', '%3', '%4', 'alpha numeric', '12', '91.7', '140')")
                            .arg(i ? QStringLiteral(",") : QString(), kDate, kClock, kLongName);
        quiltest::execute(main.seams.databasePath(),
                          QStringLiteral("INSERT INTO tblRem (Date, Time, Name, Test, Errors, "
                                         "Accuracy, Keystroke) VALUES ") +
                              longRows);
        for (int i = 0; i < 30; ++i)
            quiltest::execute(main.seams.databasePath(),
                              QStringLiteral("INSERT INTO tblSystem (Date, Time, Elapsed, "
                                             "LastAgent) VALUES ('%1', '%2', '%3', '%4')")
                                  .arg(kDate, kClock, kUsage, kLongName));
        quiltest::execute(main.seams.databasePath(),
                          QStringLiteral("INSERT INTO tblNew (Name) VALUES ('%1')").arg(kLongName));

        windows[QStringLiteral("frmEntry")] = main.window.get();
        windows[QStringLiteral("frmLog")] = loaded(new frmLog);
        windows[QStringLiteral("frmAgent")] = loaded(new frmAgent);
        windows[QStringLiteral("frmRemarks")] = loaded(new frmRemarks);
        windows[QStringLiteral("frmMn")] = loaded(new frmMn);
        windows[QStringLiteral("frmAdm")] = loaded(new frmAdm);
        frmAdm* records = loaded(new frmAdm);
        records->Text1->setText(QStringLiteral("admin"));
        records->Command1_Click();
        windows[QStringLiteral("frmAdm records")] = records;
        frmAbout* about = loaded(new frmAbout);
        about->Timer1->stop();
        windows[QStringLiteral("frmAbout")] = about;
        frmTu* notice = loaded(new frmTu);
        notice->Timer1->stop();
        windows[QStringLiteral("frmTu")] = notice;
    }

    ~AllWindows() {
        for (const QPointer<QWidget>& window : std::as_const(windows))
            if (window && window != main.window.get())
                delete window.data();
    }

    QWidget* window(const QString& name) const { return windows.value(name); }

    quiltest::MainWindow main;
    QMap<QString, QPointer<QWidget>> windows;
};

std::unique_ptr<AllWindows> all;
QSet<QString> rowsMade;

// One row: the text in the control (a grid's heading, or a cell under the heading cellOf).
void row(const QString& window, const QString& control, const QString& text,
         const QString& cellOf = QString()) {
    const QString name =
        QStringLiteral("%1 %2%3 \"%4\"")
            .arg(window, control, cellOf.isEmpty() ? QString() : QStringLiteral(" ") + cellOf,
                 text);
    if (rowsMade.contains(name))
        return;
    rowsMade.insert(name);
    QTest::newRow(qPrintable(name)) << window << control << text << cellOf;
}

QString captionOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->pixmap().isNull() ? label->text() : QString();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return box->title();
    return QString();
}

// Whether the control, or a part of the window that holds it, is hidden.
bool inHiddenPart(const QWidget* control) {
    for (const QWidget* w = control; w && !w->isWindow(); w = w->parentWidget())
        if (w->isHidden())
            return true;
    return false;
}

// Every caption of the window, and the headings of its grids' shown columns. A control
// placed wholly outside its parent is hidden by design and left out, and so is what a window
// does not show in its present stage (the main window's test panels all come and go; the
// sign-in window's Cancel has a row of its own).
void captionRows(const QString& name) {
    QWidget* window = all->window(name);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->isWindow())
            continue;
        if (!control->geometry().intersects(control->parentWidget()->rect()))
            continue;
        if (name != QLatin1String("frmEntry") && inHiddenPart(control))
            continue;
        if (const QString caption = captionOf(control); !caption.isEmpty())
            row(name, control->objectName(), caption);
        if (auto* grid = qobject_cast<QTableView*>(control); grid && grid->model())
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                if (!grid->isColumnHidden(c))
                    row(name, grid->objectName(),
                        grid->model()->headerData(c, Qt::Horizontal).toString());
    }
}

// The texts the main window shows in its labels and fields.
void mainWindowTextRows() {
    const QString main = QStringLiteral("frmEntry");
    row(main, QStringLiteral("Label21"), kLongName);
    row(main, QStringLiteral("Label24"), kClock);
    row(main, QStringLiteral("lblss"), kUsage);
    row(main, QStringLiteral("quilr"), QStringLiteral("Timer: 40 sec"));
    for (const exam::NumberSet& set : exam::kNumberSets)
        for (int k = 0; k < exam::kNumericFields; ++k) {
            const QString number = QLatin1String(set[size_t(k)]);
            row(main, QStringLiteral("Label%1").arg(k + 1), number);
            row(main, QStringLiteral("Text%1").arg(k + 1), number);
        }
    for (const exam::WordTestKind* kind : {&exam::kAlphaTest, &exam::kAlphaNumericTest}) {
        for (int i = 0; i < 3; ++i) {
            row(main, QStringLiteral("Label%1").arg(40 + i), kind->slotCaptions[i]);
            row(main, QStringLiteral("Label%1").arg(50 + i), kind->slotCaptions[i]);
        }
        for (const exam::WordRecord& record : kind->pool)
            for (int k = 0; k < exam::kWordSlots; ++k) {
                const QString value = QLatin1String(record.values[size_t(k)]);
                row(main, QLatin1String(exam::kWordSlotTable[size_t(k)].reference), value);
                row(main, QStringLiteral("Text%1").arg(21 + k), value);
            }
    }
}

// The texts of the other windows' lists, fields and grid cells.
void otherTextRows() {
    row(QStringLiteral("frmLog"), QStringLiteral("Combo1"), kLongName);
    row(QStringLiteral("frmLog"), QStringLiteral("Command4"), QStringLiteral("C&ancel"));
    row(QStringLiteral("frmAgent"), QStringLiteral("Text1"), QStringLiteral("Villanueva Tan"));
    row(QStringLiteral("frmAgent"), QStringLiteral("Text2"), QStringLiteral("Maria Cristina"));
    row(QStringLiteral("frmAgent"), QStringLiteral("Text3"), QStringLiteral("W"));
    const QString results = QStringLiteral("frmRemarks");
    const QString grid = QStringLiteral("MSHFlexGrid1");
    const std::pair<const char*, QString> resultCells[] = {
        {"Date", kDate},
        {"Time", kClock},
        {"Name", kLongName},
        {"Test", QStringLiteral("alpha numeric")},
        {"Errors", QStringLiteral("12")},
        {"Accuracy", QStringLiteral("91.7")},
        {"Keystroke", QStringLiteral("140")}};
    for (const auto& [heading, text] : resultCells)
        row(results, grid, text, QLatin1String(heading));
    row(results, grid, kDateWithoutLocale, QStringLiteral("Date"));
    row(QStringLiteral("frmMn"), grid, kDateWithoutLocale, QStringLiteral("Date"));
    const std::pair<const char*, QString> usageCells[] = {
        {"Date", kDate}, {"Time", kClock}, {"Elapsed", kUsage}, {"LastAgent", kLongName}};
    for (const auto& [heading, text] : usageCells)
        row(QStringLiteral("frmMn"), grid, text, QLatin1String(heading));
}

} // namespace

class FitTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void programFaceIsTahoma();
    void textsFit_data();
    void textsFit();
    void agentCaptionStandsApartFromTheName();
    void listsNeedNoHorizontalScrollBar_data();
    void listsNeedNoHorizontalScrollBar();
    void longNamesStayOnOneLine_data();
    void longNamesStayOnOneLine();
};

void FitTest::initTestCase() {
    if (!QFile::exists(kTahomaFile))
        QSKIP("fonts-wine is not installed (no /usr/share/wine/fonts/tahoma.ttf): the windows "
              "show a fallback face, for which their geometry was not made");
    all = std::make_unique<AllWindows>();
}

void FitTest::cleanupTestCase() {
    all.reset();
}

void FitTest::programFaceIsTahoma() {
    QCOMPARE(QFontInfo(tahoma(8.25)).family(), QStringLiteral("Tahoma"));
    QFont bold = tahoma(8.25);
    bold.setBold(true);
    QCOMPARE(QFontInfo(bold).family(), QStringLiteral("Tahoma"));
    // The bold face is the bold file, not the regular one made bolder.
    QVERIFY(QFontDatabase::styles(QStringLiteral("Tahoma")).contains(QStringLiteral("Bold")));
    QCOMPARE(QFontInfo(all->main.window->Label21->font()).family(), QStringLiteral("Tahoma"));
}

void FitTest::textsFit_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cellOf");
    rowsMade.clear();
    for (const QString& window : all->windows.keys())
        captionRows(window);
    mainWindowTextRows();
    otherTextRows();
}

void FitTest::textsFit() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, cellOf);
    auto* widget = all->window(window)->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(QStringLiteral("no control ") + control));
    fittest::Room room;
    if (auto* grid = qobject_cast<QTableView*>(widget))
        room = cellOf.isEmpty() ? fittest::headingRoom(grid, text)
                                : fittest::cellRoom(grid, cellOf, text);
    else
        room = fittest::roomFor(widget, text);
    QVERIFY2(room.fits(), qPrintable(room.why()));
}

// "AGENT:" and the name beside it read as two words: a space's width at least between them.
void FitTest::agentCaptionStandsApartFromTheName() {
    const frmEntry& main = *all->main.window;
    const QFontMetrics metrics(main.Label26->font());
    const int captionEnd = main.Label26->x() + metrics.horizontalAdvance(main.Label26->text());
    const int gap = main.Label21->x() - captionEnd;
    QVERIFY2(gap >= metrics.horizontalAdvance(QLatin1Char(' ')),
             qPrintable(QStringLiteral("%1 pixels between them").arg(gap)));
}

void FitTest::listsNeedNoHorizontalScrollBar_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("results") << "frmRemarks";
    QTest::newRow("system usage") << "frmMn";
}

// With more rows than the grid shows, beside the vertical scroll bar.
void FitTest::listsNeedNoHorizontalScrollBar() {
    QFETCH(QString, window);
    auto* grid = all->window(window)->findChild<QTableView*>(QStringLiteral("MSHFlexGrid1"));
    QTRY_VERIFY(grid->verticalScrollBar()->isVisible());
    QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
}

void FitTest::longNamesStayOnOneLine_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("nameColumn");
    QTest::newRow("results") << "frmRemarks"
                             << "MSHFlexGrid1" << 3;
    QTest::newRow("admin results") << "frmAdm records"
                                   << "DataGrid1" << 3;
    QTest::newRow("admin agents") << "frmAdm records"
                                  << "DataGrid2" << 1;
}

// A name wider than its column is cut at its end on its one line, never wrapped onto a second
// one that the row's height would cut through.
void FitTest::longNamesStayOnOneLine() {
    QFETCH(QString, window);
    QFETCH(QString, grid);
    QFETCH(int, nameColumn);
    auto* view = all->window(window)->findChild<QTableView*>(grid);
    QCOMPARE(view->model()->index(0, nameColumn).data().toString(), kLongName);
    const int given = view->columnWidth(nameColumn);
    const int nameWidth = view->fontMetrics().horizontalAdvance(kLongName);
    view->setColumnWidth(nameColumn, nameWidth * 2);
    const int oneLine = static_cast<QAbstractItemView*>(view)->sizeHintForRow(0);
    view->setColumnWidth(nameColumn, nameWidth / 2);
    const int narrow = static_cast<QAbstractItemView*>(view)->sizeHintForRow(0);
    view->setColumnWidth(nameColumn, given);
    QCOMPARE(narrow, oneLine);
}

QTEST_MAIN(FitTest)
#include "tst_fit.moc"
