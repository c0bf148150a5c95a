#include "AgentWindows.h"

#include "core/ConnectionString.h"
#include "store/DataControl.h"
#include "support/Find.h"
#include "support/Rows.h"
#include "support/Seams.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>

using agenttest::activate;
using agenttest::settle;
using agenttest::typeText;

namespace {

const QString kEmoji = QStringLiteral("\U0001F600");
const QString kHighSurrogate = QChar(0xD83D);
// U+FDF0, U+10FFFD and U+FFFD: characters next to the noncharacters, which the fields refuse.
const QString kBesideNoncharacters = QStringLiteral("\uFDF0\U0010FFFD\uFFFD");

QStringList listed(const frmLog* signIn) {
    QStringList list;
    for (int i = 0; i < signIn->Combo1->count(); ++i)
        list << signIn->Combo1->itemText(i);
    return list;
}

QList<QStringList> agentRows(const quiltest::Seams& seams) {
    return quiltest::rows(seams.databasePath(), QStringLiteral("tblNew"));
}

} // namespace

class RegistrationTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadOpensTheAgentsViewLeavingTheMainWindowEnabled();
    void loadWithoutTheAgentsTableEndsTheProgram();
    void addStoresTheNameAsTypedAndOpensTheSignIn_data();
    void addStoresTheNameAsTypedAndOpensTheSignIn();
    void fieldsKeepTheCharactersThatFit_data();
    void fieldsKeepTheCharactersThatFit();
    void aPasteIsCutWhereItGoes_data();
    void aPasteIsCutWhereItGoes();
    void addWithAnEmptyFieldStoresNothing_data();
    void addWithAnEmptyFieldStoresNothing();
    void aDuplicateIsASecondRowListedTwice();
    void fieldsAreYellowWhileFocused();
    void cancelStoresNothingAndKeepsTheAgent();
    void addTheDatabaseRefusesKeepsTheWindow_data();
    void addTheDatabaseRefusesKeepsTheWindow();
    void addDuringASwitchGivesAFreshSignIn();

private:
    frmAgent* openFromMenu();
    void fill(const QString& last, const QString& first, const QString& middle);
    frmEntry* main() { return Windows::find<frmEntry>(); }
    frmAgent* registration() { return Windows::find<frmAgent>(); }

    std::unique_ptr<quiltest::Seams> seams;
};

void RegistrationTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    seams->createDatabase();
}

void RegistrationTest::cleanup() {
    agenttest::unloadAll();
    seams.reset();
}

// The main window after a sign-in, then its "New Agent".
frmAgent* RegistrationTest::openFromMenu() {
    frmEntry* window = Windows::show<frmEntry>();
    window->Timer4->stop();
    window->Label21->setText(QStringLiteral("Ann M. Reyes"));
    window->new_->trigger();
    return registration();
}

void RegistrationTest::fill(const QString& last, const QString& first, const QString& middle) {
    frmAgent* window = registration();
    typeText(window->Text1, last);
    typeText(window->Text2, first);
    typeText(window->Text3, middle);
}

void RegistrationTest::loadOpensTheAgentsViewLeavingTheMainWindowEnabled() {
    frmAgent* window = openFromMenu();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("New Agent"));
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(main()->isEnabled());
    QCOMPARE(window->adosearch->ConnectionString(), store::connectionStringA(seams->folder()).text);
    QCOMPARE(window->adosearch->RecordSource(), QStringLiteral("Select * from tblNew"));
    QCOMPARE(window->Label4->text(), QStringLiteral(" . "));
    QVERIFY(seams->boxes.isEmpty() && seams->endCodes.isEmpty());
}

void RegistrationTest::loadWithoutTheAgentsTableEndsTheProgram() {
    Windows::show<frmEntry>(); // the table goes after the main window checked the file
    quiltest::execute(seams->databasePath(), QStringLiteral("DROP TABLE tblNew"));
    openFromMenu();
    QCOMPARE(seams->endCodes, QList<int>{1});
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes[0].icon, ui::Icon::Critical);
    QVERIFY2(seams->boxes[0].text.contains(QStringLiteral("no such table")),
             qPrintable(seams->boxes[0].text));
}

void RegistrationTest::addStoresTheNameAsTypedAndOpensTheSignIn_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("name");
    QTest::newRow("ordinary") << "Lastname"
                              << "First"
                              << "M"
                              << "First M. Lastname";
    QTest::newRow("longest, 32 characters") << "Abcdefghijklmn"
                                            << "Nopqrstuvwxyza"
                                            << "Q"
                                            << "Nopqrstuvwxyza Q. Abcdefghijklmn";
    QTest::newRow("blanks count as filled") << "  "
                                            << " "
                                            << " "
                                            << "   .   ";
    QTest::newRow("quotes and SQL") << "x'); DROP --"
                                    << "O'Neil\";"
                                    << "'"
                                    << "O'Neil\"; '. x'); DROP --";
    QTest::newRow("non-Latin letters") << QStringLiteral("Żółć") << QStringLiteral("王明")
                                       << QStringLiteral("Ё") << QStringLiteral("王明 Ё. Żółć");
    QTest::newRow("emoji") << kEmoji + kEmoji << QStringLiteral("Ana") + kEmoji << kEmoji
                           << QStringLiteral("Ana") + kEmoji + " " + kEmoji + ". " + kEmoji +
                                  kEmoji;
    QTest::newRow("beside the noncharacters") << kBesideNoncharacters << "Ana"
                                              << "M"
                                              << "Ana M. " + kBesideNoncharacters;
}

void RegistrationTest::addStoresTheNameAsTypedAndOpensTheSignIn() {
    QFETCH(QString, last);
    QFETCH(QString, first);
    QFETCH(QString, middle);
    QFETCH(QString, name);
    openFromMenu();
    fill(last, first, middle);
    QCOMPARE(registration()->Label4->text(), name);

    registration()->Command2->click();
    settle();

    QCOMPARE(agentRows(*seams), QList<QStringList>{{name}});
    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes[0].icon, ui::Icon::Information);
    QCOMPARE(seams->boxes[0].title, QStringLiteral("TORLENWORKS"));
    QCOMPARE(seams->boxes[0].text, QStringLiteral("New Agent Added! Good Luck!"));
    QVERIFY(!registration());
    frmLog* signIn = Windows::find<frmLog>();
    QVERIFY(signIn && signIn->isVisible());
    QCOMPARE(listed(signIn), QStringList{name});
    QVERIFY(signIn->Command1->isVisible() && !signIn->Command4->isVisible());
    QVERIFY(!main()->isEnabled());
}

void RegistrationTest::fieldsKeepTheCharactersThatFit_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");  // what typing it key by key leaves
    QTest::addColumn<QString>("pasted"); // what a paste of it leaves
    const QString fourteen = QStringLiteral("Abcdefghijklmn");
    QTest::newRow("15th of the last name") << "Text1" << fourteen + "o" << fourteen << fourteen;
    QTest::newRow("15th of the first name") << "Text2" << fourteen + "o" << fourteen << fourteen;
    QTest::newRow("2nd of the initial") << "Text3"
                                        << "MN"
                                        << "M"
                                        << "M";
    QTest::newRow("20 characters") << "Text1" << fourteen + "opqrst" << fourteen << fourteen;
    QTest::newRow("an emoji as the 14th")
        << "Text1"
        << "Abcdefghijklm" + kEmoji << "Abcdefghijklm" + kEmoji << "Abcdefghijklm" + kEmoji;
    QTest::newRow("an emoji as the 15th") << "Text2" << fourteen + kEmoji << fourteen << fourteen;
    QTest::newRow("an emoji as the initial") << "Text3" << kEmoji + "M" << kEmoji << kEmoji;
    QTest::newRow("15 emoji") << "Text1" << kEmoji.repeated(15) << kEmoji.repeated(14)
                              << kEmoji.repeated(14);
    // Noncharacters and halves of surrogate pairs: the database would not give back the name
    // stored. A paste holding one is refused whole.
    const auto refused = [](const char* row, const QString& odd) {
        QTest::newRow(row) << "Text1"
                           << "Ab" + odd + "c"
                           << "Abc"
                           << "";
    };
    refused("U+FFFF", QChar(0xFFFF));
    refused("U+FFFE", QChar(0xFFFE));
    refused("U+FDD0", QChar(0xFDD0));
    refused("U+FDEF", QChar(0xFDEF));
    refused("U+1FFFF", QString::fromUcs4(U"\U0001FFFF"));
    refused("U+10FFFF", QString::fromUcs4(U"\U0010FFFF"));
    refused("a lone low surrogate", QChar(0xDE00));
    QTest::newRow("a lone high surrogate") << "Text1"
                                           << "Abc" + kHighSurrogate << "Abc"
                                           << "";
    QTest::newRow("a noncharacter past the limit")
        << "Text1" << fourteen + QChar(0xFFFF) << fourteen << "";
    QTest::newRow("beside the noncharacters")
        << "Text1" << kBesideNoncharacters << kBesideNoncharacters << kBesideNoncharacters;
}

void RegistrationTest::fieldsKeepTheCharactersThatFit() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    auto* edit = quiltest::child<QLineEdit>(openFromMenu(), qPrintable(field));
    typeText(edit, text);
    QCOMPARE(edit->text(), typed);
    edit->clear();
    edit->insert(text); // a paste
    QCOMPARE(edit->text(), pasted);
    QVERIFY(seams->boxes.isEmpty());
}

void RegistrationTest::aPasteIsCutWhereItGoes_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("cursor");
    const QString digits = QStringLiteral("0123456789ABCDEF");
    QTest::newRow("into the middle") << "Smith" << 2 << 0 << digits << "Sm012345678ith" << 11;
    QTest::newRow("over a selection") << "Smith" << 1 << 3 << digits << "S0123456789ABh" << 13;
    QTest::newRow("emoji") << "Abcdefghijk" << 11 << 0 << kEmoji.repeated(4)
                           << "Abcdefghijk" + kEmoji.repeated(3) << 17;
    QTest::newRow("into a full field") << "Abcdefghijklmn" << 3 << 0 << "XY"
                                       << "Abcdefghijklmn" << 3;
}

void RegistrationTest::aPasteIsCutWhereItGoes() {
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, selected);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    QFETCH(int, cursor);
    QLineEdit* edit = openFromMenu()->Text1;
    edit->insert(before);
    edit->setSelection(start, selected);
    edit->insert(pasted);
    QCOMPARE(edit->text(), after);
    QCOMPARE(edit->cursorPosition(), cursor);
    if (after == before) { // refused as a typed key is: the field's undo history stays
        edit->undo();
        QCOMPARE(edit->text(), QString());
    }
}

void RegistrationTest::addWithAnEmptyFieldStoresNothing_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("middle");
    QTest::newRow("no last name") << ""
                                  << "First"
                                  << "M";
    QTest::newRow("no first name") << "Lastname"
                                   << ""
                                   << "M";
    QTest::newRow("no middle initial") << "Lastname"
                                       << "First"
                                       << "";
}

void RegistrationTest::addWithAnEmptyFieldStoresNothing() {
    QFETCH(QString, last);
    QFETCH(QString, first);
    QFETCH(QString, middle);
    openFromMenu();
    fill(last, first, middle);
    registration()->Command2->click();
    settle();

    QCOMPARE(seams->boxes.size(), 1);
    QCOMPARE(seams->boxes[0].icon, ui::Icon::Information);
    QCOMPARE(seams->boxes[0].title, QStringLiteral("TORLENWORKS"));
    QCOMPARE(seams->boxes[0].text, QStringLiteral("Complete the infomation above."));
    QVERIFY(agentRows(*seams).isEmpty());
    QVERIFY(registration() && registration()->isVisible());
    QCOMPARE(registration()->Text1->text(), last);
    QCOMPARE(registration()->Text2->text(), first);
    QCOMPARE(registration()->Text3->text(), middle);
    QVERIFY(!Windows::find<frmLog>());
}

void RegistrationTest::aDuplicateIsASecondRowListedTwice() {
    quiltest::execute(seams->databasePath(),
                      QStringLiteral("INSERT INTO tblNew (Name) VALUES ('First M. Lastname')"));
    openFromMenu();
    fill(QStringLiteral("Lastname"), QStringLiteral("First"), QStringLiteral("M"));
    registration()->Command2->click();
    settle();
    QCOMPARE(agentRows(*seams), (QList<QStringList>{{"First M. Lastname"}, {"First M. Lastname"}}));
    QCOMPARE(listed(Windows::find<frmLog>()),
             (QStringList{"First M. Lastname", "First M. Lastname"}));
}

void RegistrationTest::fieldsAreYellowWhileFocused() {
    frmAgent* window = openFromMenu();
    QVERIFY(activate(window));
    const QColor yellow(255, 255, 0);
    const QColor white(255, 255, 255);
    auto background = [](QLineEdit* field) { return field->palette().color(QPalette::Base); };
    QCOMPARE(QApplication::focusWidget(), window->Text1);
    QCOMPARE(background(window->Text1), yellow);
    QCOMPARE(background(window->Text2), white);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->Text2);
    QCOMPARE(background(window->Text1), white);
    QCOMPARE(background(window->Text2), yellow);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(background(window->Text2), white);
    QCOMPARE(background(window->Text3), yellow);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->Command2);
    QCOMPARE(background(window->Text3), white);
}

void RegistrationTest::cancelStoresNothingAndKeepsTheAgent() {
    openFromMenu();
    fill(QStringLiteral("Lastname"), QStringLiteral("First"), QStringLiteral("M"));
    registration()->Command1->click();
    settle();
    QVERIFY(!registration());
    QVERIFY(!Windows::find<frmLog>());
    QVERIFY(main()->isVisible() && main()->isEnabled());
    QCOMPARE(main()->Label21->text(), QStringLiteral("Ann M. Reyes"));
    QVERIFY(agentRows(*seams).isEmpty());
    QVERIFY(seams->boxes.isEmpty());
}

void RegistrationTest::addTheDatabaseRefusesKeepsTheWindow_data() {
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<QString>("engineSays");
    QTest::newRow("table dropped") << "DROP TABLE tblNew"
                                   << "no such table";
    QTest::newRow("row refused") << "CREATE TRIGGER refuse BEFORE INSERT ON tblNew BEGIN "
                                    "SELECT RAISE(ABORT, 'disk quota exceeded'); END"
                                 << "disk quota exceeded";
}

void RegistrationTest::addTheDatabaseRefusesKeepsTheWindow() {
    QFETCH(QString, sabotage);
    QFETCH(QString, engineSays);
    openFromMenu();
    quiltest::execute(seams->databasePath(), sabotage);
    fill(QStringLiteral("Lastname"), QStringLiteral("First"), QStringLiteral("M"));
    registration()->Command2->click();
    settle();

    QCOMPARE(seams->boxes.size(), 1);
    const quiltest::Box& box = seams->boxes[0];
    QCOMPARE(box.title, QStringLiteral("TORLENWORKS"));
    QCOMPARE(box.icon, ui::Icon::Critical);
    QVERIFY2(box.text.contains(QStringLiteral("\"First M. Lastname\" could not be stored")),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(engineSays), qPrintable(box.text));
    QVERIFY2(box.text.contains(seams->databasePath()), qPrintable(box.text));
    QVERIFY(seams->endCodes.isEmpty());
    QVERIFY(registration() && registration()->isVisible());
    QCOMPARE(registration()->Text1->text(), QStringLiteral("Lastname"));
    QCOMPARE(registration()->Text2->text(), QStringLiteral("First"));
    QCOMPARE(registration()->Text3->text(), QStringLiteral("M"));
    QVERIFY(!Windows::find<frmLog>());
    if (sabotage.startsWith(QLatin1String("CREATE")))
        QVERIFY(agentRows(*seams).isEmpty());
}

// "New Agent" leaves the main window enabled, so "Swich Agent" can open the sign-in window
// while the registration is still open; after the Add it must list the new agent.
void RegistrationTest::addDuringASwitchGivesAFreshSignIn() {
    openFromMenu();
    main()->sa->trigger();
    QVERIFY(Windows::find<frmLog>()->Command4->isVisible());
    fill(QStringLiteral("Lastname"), QStringLiteral("First"), QStringLiteral("M"));
    registration()->Command2->click();
    settle();

    frmLog* signIn = Windows::find<frmLog>();
    QVERIFY(signIn && signIn->isVisible());
    QCOMPARE(listed(signIn), QStringList{"First M. Lastname"});
    QVERIFY(signIn->Command1->isVisible() && !signIn->Command4->isVisible());
    QVERIFY(!main()->isEnabled());
}

QTEST_MAIN(RegistrationTest)
#include "tst_registration.moc"
