#include "app/frmEntry.h"
#include "core/WordContent.h"
#include "exam/EntryField.h"
#include "support/MainWindow.h"
#include "support/Rows.h"
#include "ui/Counter.h"
#include "ui/Windows.h"
#include "ui/frmTu.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

enum class Kind { Alpha, AlphaNumeric };

const exam::WordPool& poolOf(Kind kind) {
    return kind == Kind::Alpha ? exam::kAlphaPool : exam::kAlphaNumericPool;
}

QStringList recordValues(Kind kind, int record) {
    QStringList values;
    for (const char* value : poolOf(kind)[record].values)
        values.append(QLatin1String(value));
    return values;
}

int totalLength(const QStringList& values) {
    int total = 0;
    for (const QString& value : values)
        total += value.length();
    return total;
}

// Every slot of record 0 of the Alpha pool, with some slots replaced by a wrong text.
QStringList alphaEntries(const QList<int>& wrongSlots, const QList<int>& emptySlots = {}) {
    QStringList entries = recordValues(Kind::Alpha, 0);
    for (int slot : wrongSlots)
        entries[slot - 1] = QStringLiteral("x");
    for (int slot : emptySlots)
        entries[slot - 1].clear();
    return entries;
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class WordTestsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void poolValuesFitTheirFields_data();
    void poolValuesFitTheirFields();
    void startShowsItsDescriptionAndTheDrawnRecord_data();
    void startShowsItsDescriptionAndTheDrawnRecord();
    void scoring_data();
    void scoring();
    void perfectRecordsGiveTheirKeystrokes_data();
    void perfectRecordsGiveTheirKeystrokes();
    void countdownScoresAtZero_data();
    void countdownScoresAtZero();
    void doneWithAnEmptyRequiredSlotShowsTheNotice();
    void captionsFollowTheTest();
    void focusMovesOnOnlyAtTheLimit_data();
    void focusMovesOnOnlyAtTheLimit();
    void enterPressesDoneAndBackspaceIsRefused();
    void noSecondTestWhileOneRuns();
    void resetDuringAWordTestStoresNothing();

private:
    void start(Kind kind, int draw);
    void typeEntries(const QStringList& entries);
    EntryField* field(int slot) { return window->wordFields[slot - 1]; }

    std::unique_ptr<quiltest::MainWindow> main;
    quiltest::Seams* seams = nullptr;
    frmEntry* window = nullptr;
};

void WordTestsTest::init() {
    main = std::make_unique<quiltest::MainWindow>();
    seams = &main->seams;
    window = main->window.get();
}

void WordTestsTest::cleanup() {
    main.reset();
}

void WordTestsTest::start(Kind kind, int draw) {
    seams->random->values = {(draw + 0.5) / 7};
    (kind == Kind::Alpha ? window->alpha : window->an)->trigger();
}

void WordTestsTest::typeEntries(const QStringList& entries) {
    quiltest::MainWindow::type(window->wordFields, entries);
}

void WordTestsTest::poolValuesFitTheirFields_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("record");
    for (int record = 0; record < 5; ++record) {
        QTest::addRow("alpha %d", record) << Kind::Alpha << record;
        QTest::addRow("alpha-numeric %d", record) << Kind::AlphaNumeric << record;
    }
}

void WordTestsTest::poolValuesFitTheirFields() {
    QFETCH(Kind, kind);
    QFETCH(int, record);
    const QStringList values = recordValues(kind, record);
    for (int slot = 1; slot <= exam::kWordSlots; ++slot) {
        QVERIFY2(values[slot - 1].length() <= field(slot)->maxLength(),
                 qPrintable(values[slot - 1]));
        QCOMPARE(values[slot - 1], values[slot - 1].toLower());
    }
    if (kind == Kind::Alpha) {
        QCOMPARE(poolOf(kind)[record].keystrokeBase + totalLength(values), 120);
    } else {
        // The e-mail addresses have the lengths the content calls for.
        const int emailLength[] = {0, 22, 21, 20, 22};
        if (record > 0)
            QCOMPARE(values[11].length(), emailLength[record]);
        QVERIFY(values[11].endsWith(QLatin1String("@example.com")));
    }
}

void WordTestsTest::startShowsItsDescriptionAndTheDrawnRecord_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("draw");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("course");
    const char* alphaNames[] = {"talvina orsebrandel", "odalin vestro",       "darby quiton",
                                "vonel tarpa",         "owen lorenzo halvey", "owen lorenzo halvey",
                                "owen lorenzo halvey"};
    const char* alphaCourses[] = {"bsed", "bsn", "bscs", "bsa", "bsit", "bsit", "bsit"};
    const char* anCourses[] = {"bsed", "bsn", "bscs", "bsc", "bscs", "bscs", "bscs"};
    for (int draw = 0; draw < 7; ++draw) {
        QTest::addRow("alpha draw %d", draw)
            << Kind::Alpha << draw << alphaNames[draw] << alphaCourses[draw];
        QTest::addRow("alpha-numeric draw %d", draw)
            << Kind::AlphaNumeric << draw << alphaNames[draw] << anCourses[draw];
    }
}

void WordTestsTest::startShowsItsDescriptionAndTheDrawnRecord() {
    QFETCH(Kind, kind);
    QFETCH(int, draw);
    QFETCH(QString, name);
    QFETCH(QString, course);
    start(kind, draw);
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes[0].icon, ui::Icon::Information);
    QCOMPARE(seams->boxes[0].title, QStringLiteral("Quil's Data Entry"));
    QCOMPARE(seams->boxes[0].text,
             kind == Kind::Alpha
                 ? QStringLiteral("alpha test:\r\ndescription: 12 fields x random entry = 120 "
                                  "keystrokes\r\nduration: 35 seconds")
                 : QStringLiteral("alpha-Numeric test:\r\ndescription: 12 fields x random "
                                  "entry = 140 keystrokes\r\nduration: 40 seconds"));
    QCOMPARE(window->a->text(), QString::number(draw));
    QCOMPARE(window->wordReferences[0]->text(), name);
    QCOMPARE(window->wordReferences[1]->text(), course);
    QCOMPARE(window->ks->text(), QString::number(poolOf(kind)[std::min(draw, 4)].keystrokeBase));
    QCOMPARE(window->aa->text(), kind == Kind::Alpha ? QStringLiteral("35") : QStringLiteral("40"));
    QCOMPARE(window->Label23->text(),
             kind == Kind::Alpha ? QStringLiteral("alpha") : QStringLiteral("alpha numeric"));
    QVERIFY(window->pical->isVisible() && window->pical2->isVisible());
    QVERIFY(window->Timer5->isActive() && !window->Timer2->isActive());
    QVERIFY(!window->Test->isEnabled() && window->Reste->isEnabled());
    QVERIFY(window->Command2->isEnabled());
    QCOMPARE(QApplication::focusWidget(), field(1));
}

void WordTestsTest::scoring_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<QString>("accuracy");
    QTest::newRow("all right") << alphaEntries({}) << "0"
                               << "100";
    QTest::newRow("all wrong") << alphaEntries({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) << "12"
                               << "91.7";
    QTest::newRow("only the course") << alphaEntries({2}) << "1"
                                     << "100.5";
    QTest::newRow("only the name") << alphaEntries({1}) << "1"
                                   << "98.7";
    QTest::newRow("course and year") << alphaEntries({2, 3}) << "2"
                                     << "101";
    QTest::newRow("all but course and year")
        << alphaEntries({1, 4, 5, 6, 7, 8, 9, 10, 11, 12}) << "10"
        << "90.7";
    QTest::newRow("slots 11 and 12 empty") << alphaEntries({}, {11, 12}) << "2"
                                           << "97.7";
    QTest::newRow("capital and trailing blank") <<
        [] {
            QStringList e = alphaEntries({});
            e[8] = QStringLiteral("Algebra");
            e[9] = QStringLiteral("finance ");
            return e;
        }() << "2"
                                                << "98.1";
}

void WordTestsTest::scoring() {
    QFETCH(QStringList, entries);
    QFETCH(QString, errors);
    QFETCH(QString, accuracy);
    start(Kind::Alpha, 0);
    typeEntries(entries);
    window->Command2->click();

    QCOMPARE(seams->boxes.size(), 2);
    const QStringList summary = seams->boxes[1].text.split(QStringLiteral("\r\n"));
    QCOMPARE(summary.size(), 11);
    QCOMPARE(summary[0], QStringLiteral("Finish!"));
    QCOMPARE(summary[4], QStringLiteral("Test: alpha"));
    QCOMPARE(summary[5], QStringLiteral("Errors: ") + errors);
    QCOMPARE(summary[6], QStringLiteral("Accuracy: ") + accuracy);
    const QString keystrokes = QString::number(15 + totalLength(entries));
    QCOMPARE(summary[7], QStringLiteral("KeyStroke: ") + keystrokes);
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].mid(3), (QStringList{"alpha", errors, accuracy, keystrokes}));
}

void WordTestsTest::perfectRecordsGiveTheirKeystrokes_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("record");
    for (int record = 0; record < 5; ++record) {
        QTest::addRow("alpha %d", record) << Kind::Alpha << record;
        QTest::addRow("alpha-numeric %d", record) << Kind::AlphaNumeric << record;
    }
}

void WordTestsTest::perfectRecordsGiveTheirKeystrokes() {
    QFETCH(Kind, kind);
    QFETCH(int, record);
    start(kind, record);
    const QStringList values = recordValues(kind, record);
    typeEntries(values);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(seams->boxes.size(), 2);
    QVERIFY2(seams->boxes[1].text.contains(QStringLiteral("Errors: 0\r\nAccuracy: 100\r\n")),
             qPrintable(seams->boxes[1].text));
    const int expected = poolOf(kind)[record].keystrokeBase + totalLength(values);
    if (kind == Kind::Alpha)
        QCOMPARE(expected, 120);
    QCOMPARE(window->ks->text(), QString::number(expected));
}

void WordTestsTest::countdownScoresAtZero_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("seconds");
    QTest::newRow("alpha") << Kind::Alpha << 35;
    QTest::newRow("alpha-numeric") << Kind::AlphaNumeric << 40;
}

void WordTestsTest::countdownScoresAtZero() {
    QFETCH(Kind, kind);
    QFETCH(int, seconds);
    start(kind, 1);
    typeEntries(recordValues(kind, 1).mid(0, 3));
    for (int tick = 1; tick < seconds; ++tick)
        window->Timer5_Timer();
    QCOMPARE(window->quilr->text(), QStringLiteral("Timer: 1 sec"));
    QCOMPARE(seams->boxes.size(), 1);
    QString displayAtScoring;
    seams->onBox = [&](const quiltest::Box&) { displayAtScoring = window->quilr->text(); };
    window->Timer5_Timer();

    QCOMPARE(seams->boxes.size(), 2);
    QVERIFY(seams->boxes[1].text.startsWith(QStringLiteral("Finish!\r\n")));
    QVERIFY(seams->boxes[1].text.contains(QStringLiteral("Errors: 9\r\n")));
    QCOMPARE(displayAtScoring, QString());
    QCOMPARE(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).size(), 1);
    // Idle, but Reset stays enabled after a word test.
    QVERIFY(!window->Command2->isEnabled());
    QVERIFY(window->Test->isEnabled() && window->alpha->isEnabled());
    QVERIFY(window->Reste->isEnabled());
    QVERIFY(!window->Timer5->isActive());
    QVERIFY(window->pical->isHidden() && window->pical2->isHidden());
    for (EntryField* entry : std::as_const(window->wordFields))
        QCOMPARE(entry->text(), QString());
    QCOMPARE(window->aa->text(), QStringLiteral("0"));
    QCOMPARE(window->quilr->text(), QString());
}

void WordTestsTest::doneWithAnEmptyRequiredSlotShowsTheNotice() {
    start(Kind::Alpha, 0);
    typeEntries(alphaEntries({}, {10}));
    window->Command2->click();
    QVERIFY(Windows::find<frmTu>());
    QVERIFY(window->Timer5->isActive());
    QCOMPARE(seams->boxes.size(), 1);
    QTest::keyClicks(field(10), QStringLiteral("finance"));
    window->Command2->click();
    QCOMPARE(seams->boxes.size(), 2);
}

void WordTestsTest::captionsFollowTheTest() {
    const QStringList alphaCaptions{"Department:", "Coordinator:", "Dean:"};
    const QStringList numericCaptions{"Contact:", "Address:", "Email:"};
    const char* panels[] = {"Label40", "Label41", "Label42", "Label50", "Label51", "Label52"};
    auto captions = [&] {
        QStringList texts;
        for (const char* name : panels)
            texts.append(window->findChild<QLabel*>(QLatin1String(name))->text());
        return texts;
    };
    start(Kind::AlphaNumeric, 0);
    QCOMPARE(captions(), numericCaptions + numericCaptions);
    window->Reste->trigger();
    start(Kind::Alpha, 0);
    QCOMPARE(captions(), alphaCaptions + alphaCaptions);
}

void WordTestsTest::focusMovesOnOnlyAtTheLimit_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("movesOn");
    QTest::newRow("19-character name") << Kind::Alpha << 1 << "talvina orsebrandel" << false;
    QTest::newRow("bsn") << Kind::Alpha << 2 << "bsn" << false;
    QTest::newRow("bsed") << Kind::Alpha << 2 << "bsed" << true;
    QTest::newRow("second") << Kind::Alpha << 3 << "second" << true;
    QTest::newRow("third") << Kind::Alpha << 3 << "third" << false;
    QTest::newRow("pseudocoding") << Kind::Alpha << 5 << "pseudocoding" << true;
    QTest::newRow("wrong at the limit") << Kind::Alpha << 5 << "zzzzzzzzzzzz" << true;
    QTest::newRow("information") << Kind::Alpha << 10 << "information" << true;
    QTest::newRow("education 102") << Kind::AlphaNumeric << 7 << "education 102" << true;
    QTest::newRow("longest address")
        << Kind::AlphaNumeric << 11 << "westbury lane harbourt city" << true;
    QTest::newRow("slot 12 past its limit")
        << Kind::AlphaNumeric << 12 << QString(30, QLatin1Char('e')) << false;
}

void WordTestsTest::focusMovesOnOnlyAtTheLimit() {
    QFETCH(Kind, kind);
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(bool, movesOn);
    start(kind, 0);
    field(slot)->setFocus();
    QTest::keyClicks(field(slot), text);
    QCOMPARE(field(slot)->text(), text.left(field(slot)->maxLength()));
    QCOMPARE(QApplication::focusWidget(), movesOn ? field(slot + 1) : field(slot));
}

void WordTestsTest::enterPressesDoneAndBackspaceIsRefused() {
    start(Kind::Alpha, 0);
    QTest::keyClicks(field(1), QStringLiteral("talv"));
    QTest::keyClick(field(1), Qt::Key_Backspace);
    QCOMPARE(field(1)->text(), QStringLiteral("talv"));
    QTest::keyClick(field(1), Qt::Key_Return); // Done, refused: fields are empty
    QVERIFY(Windows::find<frmTu>());
    QCOMPARE(seams->boxes.size(), 1);
}

void WordTestsTest::noSecondTestWhileOneRuns() {
    start(Kind::Alpha, 0);
    QVERIFY(!window->Test->isEnabled());
    // The Test menu cannot be opened, so none of its items can be chosen.
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window->Test).center());
    QVERIFY(!window->findChild<QMenu*>(QStringLiteral("Test"))->isVisible());
    QCOMPARE(seams->boxes.size(), 1);
}

void WordTestsTest::resetDuringAWordTestStoresNothing() {
    start(Kind::AlphaNumeric, 2);
    typeEntries(recordValues(Kind::AlphaNumeric, 2));
    window->Reste->trigger();
    QVERIFY(!window->Timer5->isActive());
    QVERIFY(window->pical->isHidden() && window->pical2->isHidden());
    for (EntryField* entry : std::as_const(window->wordFields))
        QCOMPARE(entry->text(), QString());
    QCOMPARE(seams->boxes.size(), 1);
    QVERIFY(quiltest::rows(seams->databasePath(), QStringLiteral("tblRem")).isEmpty());
}

QTEST_MAIN(WordTestsTest)
#include "tst_words.moc"
