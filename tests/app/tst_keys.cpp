// The main window from the keyboard alone: the menu bar by Alt and F10, the tests by their
// shortcuts, only while no test runs.
#include "app/frmEntry.h"
#include "exam/EntryField.h"
#include "support/MainWindow.h"
#include "ui/Counter.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

namespace {

enum class Way { Alt, F10, AltWithAKey, AltGr };

} // namespace

class KeysTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuBarFromTheKeyboard_data();
    void menuBarFromTheKeyboard();
    void eachTestStartsByItsShortcutOnlyWhileIdle_data();
    void eachTestStartsByItsShortcutOnlyWhileIdle();

private:
    std::unique_ptr<quiltest::MainWindow> main;
    frmEntry* window() { return main->window.get(); }
};

void KeysTest::init() {
    main = std::make_unique<quiltest::MainWindow>();
}

void KeysTest::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    main.reset();
}

void KeysTest::menuBarFromTheKeyboard_data() {
    QTest::addColumn<Way>("way");
    QTest::newRow("Alt alone lights the first title") << Way::Alt;
    QTest::newRow("F10 opens the first menu") << Way::F10;
    QTest::newRow("Alt held with a key is no way in") << Way::AltWithAKey;
    QTest::newRow("AltGr is no way in") << Way::AltGr;
}

// From a field of a running test, where a slip of the thumb is most likely.
void KeysTest::menuBarFromTheKeyboard() {
    QFETCH(Way, way);
    QMenuBar* bar = window()->menuBar();
    const QRect firstTitle = bar->actionGeometry(window()->menu);
    const QImage unlit = bar->grab(firstTitle).toImage();
    window()->number->trigger();
    EntryField* field = window()->numericFields.first();
    QCOMPARE(QApplication::focusWidget(), field);

    switch (way) {
    case Way::Alt:
        QTest::keyPress(field, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(field, Qt::Key_Alt, Qt::NoModifier);
        break;
    case Way::F10:
        QTest::keyClick(field, Qt::Key_F10);
        break;
    case Way::AltWithAKey:
        QTest::keyPress(field, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(field, Qt::Key_X, Qt::AltModifier);
        QTest::keyRelease(field, Qt::Key_Alt, Qt::NoModifier);
        break;
    case Way::AltGr:
        QTest::sendKeyEvent(QTest::Press, field, Qt::Key_AltGr, QString(), Qt::GroupSwitchModifier);
        QTest::sendKeyEvent(QTest::Release, field, Qt::Key_AltGr, QString(), Qt::NoModifier);
        break;
    }

    if (way == Way::Alt) {
        QCOMPARE(QApplication::focusWidget(), bar);
        QCOMPARE(bar->activeAction(), window()->menu);
        QVERIFY(!QApplication::activePopupWidget());
        // Seen, not only focused: the chosen title is drawn apart from the others.
        QVERIFY(bar->grab(firstTitle).toImage() != unlit);
        QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(QApplication::activePopupWidget(), window()->menu->menu());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTest::keyClick(bar, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(field->text(), QString());
    } else if (way == Way::F10) {
        QCOMPARE(QApplication::activePopupWidget(), window()->menu->menu());
        QCOMPARE(field->text(), QString());
    } else {
        QCOMPARE(QApplication::focusWidget(), field);
        QVERIFY(!bar->activeAction());
        QVERIFY(!QApplication::activePopupWidget());
    }
}

void KeysTest::eachTestStartsByItsShortcutOnlyWhileIdle_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("digit");
    QTest::addColumn<QString>("testName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Ctrl+1: Alpha") << "alpha" << 1 << "alpha"
                                   << "Alpha";
    QTest::newRow("Ctrl+2: Numeric") << "number" << 2 << "Numeric"
                                     << "Numeric";
    QTest::newRow("Ctrl+3: Alpha-Numeric") << "an" << 3 << "alpha numeric"
                                           << "Alpha-Numeric";
}

void KeysTest::eachTestStartsByItsShortcutOnlyWhileIdle() {
    QFETCH(QString, item);
    QFETCH(int, digit);
    QFETCH(QString, testName);
    QFETCH(QString, caption);
    auto* action = window()->findChild<QAction*>(item);
    QVERIFY(action);
    // Shown beside the caption, which stays as it is.
    QCOMPARE(action->text(), caption);
    const QKeySequence keys(Qt::CTRL | Qt::Key(Qt::Key_0 + digit));
    QCOMPARE(action->shortcut(), keys);
    const QList<QKeySequence> all{QKeySequence(Qt::CTRL | Qt::Key_1),
                                  QKeySequence(Qt::CTRL | Qt::Key_2),
                                  QKeySequence(Qt::CTRL | Qt::Key_3)};
    auto press = [](QWidget* to, const QKeySequence& sequence) {
        QTest::keyClick(to, sequence[0].key(), sequence[0].keyboardModifiers());
    };
    QList<quiltest::Box>& boxes = main->seams.boxes; // one description box per test start

    // Nothing happens while another window is in front and the main window is disabled.
    window()->setEnabled(false);
    press(window(), keys);
    QCOMPARE(boxes.size(), 0);
    window()->setEnabled(true);

    press(window(), keys);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(window()->Label23->text(), testName);
    QVERIFY(!window()->Test->isEnabled());

    // While it runs, no shortcut starts a test, though some items stay enabled, and none of
    // them types into the field that has the focus.
    QWidget* field = QApplication::focusWidget();
    QVERIFY(qobject_cast<EntryField*>(field));
    for (const QKeySequence& other : all)
        press(field, other);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(window()->Label23->text(), testName);
    QCOMPARE(static_cast<QLineEdit*>(field)->text(), QString());

    // Idle again, the shortcut starts it again.
    window()->Reste->trigger();
    press(window(), keys);
    QCOMPARE(boxes.size(), 2);
}

QTEST_MAIN(KeysTest)
#include "tst_keys.moc"
