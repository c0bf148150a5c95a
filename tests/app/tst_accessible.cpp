// What a screen reader finds in the windows: every control that takes the focus has a name and a
// description, and no other control shown with it has the same name; captions and reference
// labels are their fields' buddies; the time displays keep their names and announce no tick.
#include "agents/frmAgent.h"
#include "agents/frmLog.h"
#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "exam/EntryField.h"
#include "records/frmAdm.h"
#include "records/frmMn.h"
#include "records/frmRemarks.h"
#include "support/Seams.h"
#include "ui/Windows.h"
#include "ui/frmAbout.h"
#include "ui/frmTu.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// Every accessibility event sent while the test runs; with a handler installed, Qt sends them
// here instead of to a screen reader.
QList<std::pair<QObject*, QAccessible::Event>> sent;

void record(QAccessibleEvent* event) {
    sent.append({event->object(), event->type()});
}

int eventsAbout(const QObject* object) {
    return int(std::count_if(sent.cbegin(), sent.cend(),
                             [object](const auto& event) { return event.first == object; }));
}

QString accessibleText(QWidget* widget, QAccessible::Text text) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(text) : QString();
}

// The widgets of window that take the focus themselves (not through another, as an editable
// combo box's text part does).
QList<QWidget*> focusable(QWidget* window) {
    QList<QWidget*> found;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (widget->window() == window && widget->focusPolicy() != Qt::NoFocus &&
            !widget->focusProxy())
            found.append(widget);
    return found;
}

void expectNewFixedSize() {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support propagateSizeHints()");
}

} // namespace

class AccessibleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyFocusableControlHasItsOwnName_data();
    void everyFocusableControlHasItsOwnName();
    void captionsAreTheirFieldsBuddies_data();
    void captionsAreTheirFieldsBuddies();
    void theWordSlotsAreNamedAfterTheTestsCaptions();
    void theTimeDisplaysAnnounceNoTick();

private:
    QWidget* open(const QString& window);

    std::unique_ptr<quiltest::Seams> seams;
    QPointer<frmEntry> main;
};

// Qt tells a screen reader nothing until one asks; here the platform is told that one did.
void AccessibleTest::initTestCase() {
    QAccessible::installUpdateHandler(record);
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform);
    platform->setActive(true);
    QVERIFY(QAccessible::isActive());
}

void AccessibleTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    seams->createDatabase();
    main = Windows::show<frmEntry>();
    main->Timer1->stop();
    main->Timer4->stop();
    sent.clear();
}

void AccessibleTest::cleanup() {
    delete Windows::find<frmTu>();
    delete Windows::find<frmAbout>();
    delete Windows::find<frmAdm>();
    delete Windows::find<frmMn>();
    delete Windows::find<frmRemarks>();
    delete Windows::find<frmAgent>();
    delete Windows::find<frmLog>();
    delete main.data();
    seams.reset();
}

// Each window in each of its states, opened the way the user opens it.
QWidget* AccessibleTest::open(const QString& window) {
    if (window == QLatin1String("main, idle"))
        return main;
    if (window == QLatin1String("main, Numeric")) {
        main->number->trigger();
        return main;
    }
    if (window == QLatin1String("main, Alpha")) {
        main->alpha->trigger();
        return main;
    }
    if (window == QLatin1String("main, Alpha-Numeric")) {
        main->an->trigger();
        return main;
    }
    if (window == QLatin1String("sign-in")) {
        main->openSignIn();
        return Windows::find<frmLog>();
    }
    if (window == QLatin1String("switch of agent")) {
        main->sa->trigger();
        return Windows::find<frmLog>();
    }
    if (window == QLatin1String("registration")) {
        main->new_->trigger();
        return Windows::find<frmAgent>();
    }
    if (window == QLatin1String("results")) {
        main->result->trigger();
        return Windows::find<frmRemarks>();
    }
    if (window == QLatin1String("usage")) {
        main->sssss->trigger();
        return Windows::find<frmMn>();
    }
    if (window == QLatin1String("about")) {
        main->About->trigger();
        return Windows::find<frmAbout>();
    }
    if (window == QLatin1String("notice")) {
        main->number->trigger();
        main->Command1->click();
        return Windows::find<frmTu>();
    }
    main->amd->trigger();
    frmAdm* adm = Windows::find<frmAdm>();
    if (adm && window == QLatin1String("admin, records")) {
        adm->Text1->setText(QStringLiteral("admin"));
        expectNewFixedSize();
        adm->Command1->click();
        adm->Option2->click(); // shows the admin password grid
    }
    return adm;
}

void AccessibleTest::everyFocusableControlHasItsOwnName_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("atLeast"); // controls shown, so that a walk cannot pass empty
    QTest::newRow("main window, idle") << "main, idle" << 0;
    QTest::newRow("main window, Numeric test") << "main, Numeric" << 21;
    QTest::newRow("main window, Alpha test") << "main, Alpha" << 13;
    QTest::newRow("main window, Alpha-Numeric test") << "main, Alpha-Numeric" << 13;
    QTest::newRow("sign-in") << "sign-in" << 4;
    QTest::newRow("sign-in for a switch of agent") << "switch of agent" << 4;
    QTest::newRow("registration") << "registration" << 5;
    QTest::newRow("results") << "results" << 2;
    QTest::newRow("system usage") << "usage" << 2;
    QTest::newRow("admin, password stage") << "admin, password" << 3;
    QTest::newRow("admin, records stage") << "admin, records" << 6;
    QTest::newRow("about") << "about" << 0;
    QTest::newRow("the notice") << "notice" << 0;
}

void AccessibleTest::everyFocusableControlHasItsOwnName() {
    QFETCH(QString, window);
    QFETCH(int, atLeast);
    QWidget* shown = open(window);
    QVERIFY(shown && shown->isVisible());

    QHash<QString, QString> shownNames; // name -> the control shown with it
    int shownControls = 0;
    for (QWidget* control : focusable(shown)) {
        const QString name = accessibleText(control, QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(control->objectName() + QStringLiteral(" unnamed")));
        QVERIFY2(!accessibleText(control, QAccessible::Description).isEmpty(),
                 qPrintable(control->objectName() + QStringLiteral(" undescribed")));
        if (!control->isVisibleTo(shown))
            continue;
        ++shownControls;
        QVERIFY2(!shownNames.contains(name),
                 qPrintable(QStringLiteral("%1 and %2 are both \"%3\"")
                                .arg(shownNames.value(name), control->objectName(), name)));
        shownNames.insert(name, control->objectName());
    }
    QVERIFY(shownControls >= atLeast);
}

void AccessibleTest::captionsAreTheirFieldsBuddies_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    QTest::newRow("LAST NAME:") << "registration"
                                << "Label1"
                                << "Text1";
    QTest::newRow("FIRST NAME:") << "registration"
                                 << "Label2"
                                 << "Text2";
    QTest::newRow("MIDDLE NAME:") << "registration"
                                  << "Label3"
                                  << "Text3";
    QTest::newRow("a numeric reference") << "main, idle"
                                         << "Label7"
                                         << "Text7";
    QTest::newRow("a word caption") << "main, idle"
                                    << "Label46"
                                    << "Text21";
    QTest::newRow("a word reference") << "main, idle"
                                      << "sub9"
                                      << "Text32";
    QTest::newRow("an admin grid's caption") << "admin, password"
                                             << "DataGrid2Caption"
                                             << "DataGrid2";
}

void AccessibleTest::captionsAreTheirFieldsBuddies() {
    QFETCH(QString, window);
    QFETCH(QString, label);
    QFETCH(QString, field);
    QWidget* shown = open(window);
    auto* caption = shown->findChild<QLabel*>(label);
    QVERIFY(caption);
    QCOMPARE(caption->buddy(), shown->findChild<QWidget*>(field));

    // A screen reader learns it as the label's relation.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(caption);
    const auto labelled = iface->relations(QAccessible::Labelled);
    QCOMPARE(labelled.size(), 1);
    QCOMPARE(labelled.first().first->object(), caption->buddy());
}

// Slots 10 to 12 stand for what their captions say, which differs between the two word tests.
void AccessibleTest::theWordSlotsAreNamedAfterTheTestsCaptions() {
    const QList<EntryField*>& fields = main->wordFields;
    main->alpha->trigger();
    QCOMPARE(accessibleText(fields[0], QAccessible::Name), QStringLiteral("Name"));
    QCOMPARE(accessibleText(fields[9], QAccessible::Name), QStringLiteral("Department"));
    QCOMPARE(accessibleText(fields[11], QAccessible::Name), QStringLiteral("Dean"));
    main->Reste->trigger();
    main->an->trigger();
    QCOMPARE(accessibleText(fields[9], QAccessible::Name), QStringLiteral("Contact"));
    QCOMPARE(accessibleText(fields[11], QAccessible::Name), QStringLiteral("Email"));
    QCOMPARE(accessibleText(fields[11], QAccessible::Description),
             QStringLiteral("Type reference 12 of 12"));
}

// A countdown read out every second would drown the echo of the typing: the time displays
// announce nothing, and keep their names while what they show is read as their text.
void AccessibleTest::theTimeDisplaysAnnounceNoTick() {
    main->number->trigger();
    for (int tick = 0; tick < 3; ++tick) {
        main->Timer2_Timer();
        main->Timer4_Timer();
    }
    QCOMPARE(main->quilr->text(), QStringLiteral("Timer: 22 sec"));
    for (QLabel* display : {main->quilr, main->Label24, main->lblss})
        QCOMPARE(eventsAbout(display), 0);
    // Plain labels still tell a screen reader of their new texts: the handler hears them.
    QVERIFY(eventsAbout(main->numericReferences.first()) > 0);

    const std::pair<QLabel*, QString> names[] = {{main->quilr, QStringLiteral("Time left")},
                                                 {main->Label24, QStringLiteral("Clock")},
                                                 {main->lblss, QStringLiteral("Usage time")}};
    for (const auto& [display, name] : names) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(display);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Value), display->text());
        QAccessibleTextInterface* text = iface->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), display->text());
    }
}

QTEST_MAIN(AccessibleTest)
#include "tst_accessible.moc"
