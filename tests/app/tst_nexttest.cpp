// One test after another in the same window: whichever test ran before, and whether it ran out
// or was reset, the next one starts with only its own panels and its own countdown, from clean
// counters, and scores and stores as if it were the first.
#include "app/frmEntry.h"
#include "core/NumericContent.h"
#include "core/WordContent.h"
#include "exam/EntryField.h"
#include "support/MainWindow.h"
#include "support/Rows.h"
#include "ui/Counter.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

enum class Test { Numeric, Alpha, AlphaNumeric };
enum class Ending { RanOut, Reset };

const char* nameOf(Test test) {
    switch (test) {
    case Test::Numeric:
        return "Numeric";
    case Test::Alpha:
        return "alpha";
    case Test::AlphaNumeric:
        return "alpha numeric";
    }
    return "";
}

// The right entries of the record or set that draw 0 selects.
QStringList rightEntries(Test test) {
    QStringList entries;
    if (test == Test::Numeric) {
        for (const char* number : exam::kNumberSets[0])
            entries.append(QLatin1String(number));
        return entries;
    }
    const exam::WordPool& pool = test == Test::Alpha ? exam::kAlphaPool : exam::kAlphaNumericPool;
    for (const char* value : pool[0].values)
        entries.append(QLatin1String(value));
    return entries;
}

int keystrokesOfRightEntries(Test test) {
    if (test == Test::Numeric)
        return 80;
    const exam::WordPool& pool = test == Test::Alpha ? exam::kAlphaPool : exam::kAlphaNumericPool;
    int total = pool[0].keystrokeBase;
    for (const QString& entry : rightEntries(test))
        total += entry.length();
    return total;
}

} // namespace

Q_DECLARE_METATYPE(Test)
Q_DECLARE_METATYPE(Ending)

class NextTestTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void nextTestStartsCleanAfterAnyTest_data();
    void nextTestStartsCleanAfterAnyTest();

private:
    void start(Test test);
    QList<QWidget*> panelsOf(Test test) const;
    QTimer* countdownOf(Test test) const;
    QList<EntryField*> fieldsOf(Test test) const;
    QPushButton* doneOf(Test test) const;
    void tick(Test test);

    std::unique_ptr<quiltest::MainWindow> main;
    quiltest::Seams* seams = nullptr;
    frmEntry* window = nullptr;
};

void NextTestTest::init() {
    main = std::make_unique<quiltest::MainWindow>();
    seams = &main->seams;
    window = main->window.get();
}

void NextTestTest::cleanup() {
    main.reset();
}

void NextTestTest::start(Test test) {
    seams->random->values = {0.5 / 7}; // draw 0
    QAction* items[] = {window->number, window->alpha, window->an};
    items[int(test)]->trigger();
}

QList<QWidget*> NextTestTest::panelsOf(Test test) const {
    if (test == Test::Numeric)
        return {window->picNum, window->picNumb};
    return {window->pical, window->pical2};
}

QTimer* NextTestTest::countdownOf(Test test) const {
    return test == Test::Numeric ? window->Timer2 : window->Timer5;
}

QList<EntryField*> NextTestTest::fieldsOf(Test test) const {
    return test == Test::Numeric ? window->numericFields : window->wordFields;
}

QPushButton* NextTestTest::doneOf(Test test) const {
    return test == Test::Numeric ? window->Command1 : window->Command2;
}

void NextTestTest::tick(Test test) {
    if (test == Test::Numeric)
        window->Timer2_Timer();
    else
        window->Timer5_Timer();
}

void NextTestTest::nextTestStartsCleanAfterAnyTest_data() {
    QTest::addColumn<Test>("before");
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<Test>("next");
    const Test tests[] = {Test::Numeric, Test::Alpha, Test::AlphaNumeric};
    for (Test before : tests) {
        for (Ending ending : {Ending::RanOut, Ending::Reset}) {
            for (Test next : tests)
                QTest::addRow("%s %s, then %s", nameOf(before),
                              ending == Ending::RanOut ? "ran out" : "reset", nameOf(next))
                    << before << ending << next;
        }
    }
}

void NextTestTest::nextTestStartsCleanAfterAnyTest() {
    QFETCH(Test, before);
    QFETCH(Ending, ending);
    QFETCH(Test, next);
    // The test before leaves a wrong entry, keystrokes and errors behind.
    start(before);
    QTest::keyClicks(fieldsOf(before).first(), QStringLiteral("9"));
    if (ending == Ending::RanOut) {
        for (int tick = 0; tick < 60 && countdownOf(before)->isActive(); ++tick)
            this->tick(before);
        QCOMPARE(seams->boxes.size(), 2);
    } else {
        tick(before);
        window->Reste->trigger();
        QCOMPARE(seams->boxes.size(), 1);
    }
    const qsizetype boxesBefore = seams->boxes.size();

    start(next);
    QCOMPARE(seams->boxes.size(), boxesBefore + 1);
    // The word tests share their panels and their countdown.
    for (Test test : {Test::Numeric, Test::Alpha}) {
        const bool own = panelsOf(test) == panelsOf(next);
        for (QWidget* panel : panelsOf(test))
            QCOMPARE(panel->isVisible(), own);
        QCOMPARE(countdownOf(test)->isActive(), own);
    }
    const Counter* seconds = next == Test::Numeric ? window->s : window->aa;
    const char* fullTime[] = {"25", "35", "40"};
    QCOMPARE(seconds->text(), QLatin1String(fullTime[int(next)]));
    QCOMPARE(window->Label23->text(), QLatin1String(nameOf(next)));
    QCOMPARE(window->error->text(), QStringLiteral("0"));
    QCOMPARE(window->correct->text(), QStringLiteral("0"));
    const QStringList entries = rightEntries(next);
    for (int k = 0; k < entries.size(); ++k) {
        QCOMPARE(fieldsOf(next)[k]->text(), QString());
        QCOMPARE(fieldsOf(next)[k]->referenceLabel()->text(), entries[k]);
    }
    QCOMPARE(QApplication::focusWidget(), fieldsOf(next).first());
    QVERIFY(doneOf(next)->isEnabled());
    QVERIFY(!window->Test->isEnabled() && window->Reste->isEnabled());

    quiltest::MainWindow::type(fieldsOf(next), entries);
    doneOf(next)->click();
    QCOMPARE(seams->boxes.size(), boxesBefore + 2);
    const QString keystrokes = QString::number(keystrokesOfRightEntries(next));
    QVERIFY2(seams->boxes.last().text.contains(QStringLiteral("Errors: 0\r\nAccuracy: 100\r\n"
                                                              "KeyStroke: ") +
                                               keystrokes + QStringLiteral("\r\n")),
             qPrintable(seams->boxes.last().text));
    const auto stored = quiltest::rows(seams->databasePath(), QStringLiteral("tblRem"));
    QCOMPARE(stored.size(), ending == Ending::RanOut ? 2 : 1);
    QCOMPARE(stored.last().mid(3),
             (QStringList{QLatin1String(nameOf(next)), "0", "100", keystrokes}));
    for (QWidget* panel : panelsOf(next))
        QVERIFY(panel->isHidden());
    QVERIFY(!countdownOf(next)->isActive());
}

QTEST_MAIN(NextTestTest)
#include "tst_nexttest.moc"
