// The windows the main window opens from its menu: where they appear, and what the main window
// does around them.
#include "agents/frmAgent.h"
#include "agents/frmLog.h"
#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "support/Seams.h"
#include "ui/Windows.h"
#include "ui/frmAbout.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

class OpenersTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensCentredOnTheMainWindow_data();
    void opensCentredOnTheMainWindow();
    void aRegistrationOpenedAgainKeepsItsPlace();

private:
    std::unique_ptr<quiltest::Seams> seams;
    QPointer<frmEntry> main;
};

void OpenersTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    seams->createDatabase();
    main = Windows::show<frmEntry>();
    main->Timer1->stop();
    main->Timer4->stop();
    // Away from the middle of the screen, where a dialog left to itself would appear.
    main->move(40, 30);
}

void OpenersTest::cleanup() {
    delete Windows::find<frmAbout>();
    delete Windows::find<frmAgent>();
    delete Windows::find<frmLog>();
    delete main.data();
    seams.reset();
}

void OpenersTest::opensCentredOnTheMainWindow_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Swich Agent") << "switch";
    QTest::newRow("New Agent") << "new agent";
    QTest::newRow("Register Now! in the sign-in") << "register now";
    QTest::newRow("About") << "about";
}

void OpenersTest::opensCentredOnTheMainWindow() {
    QFETCH(QString, way);
    QWidget* opened = nullptr;
    if (way == QLatin1String("switch")) {
        main->sa->trigger();
        opened = Windows::find<frmLog>();
    } else if (way == QLatin1String("new agent")) {
        main->new_->trigger();
        opened = Windows::find<frmAgent>();
    } else if (way == QLatin1String("register now")) {
        main->sa->trigger();
        Windows::find<frmLog>()->Command3->click();
        opened = Windows::find<frmAgent>();
    } else {
        main->About->trigger();
        opened = Windows::find<frmAbout>();
    }
    QVERIFY(opened && opened->isVisible());
    QCOMPARE(opened->frameGeometry().center(), main->frameGeometry().center());
}

// "New Agent" leaves the main window enabled: it can be chosen again while the window is open.
void OpenersTest::aRegistrationOpenedAgainKeepsItsPlace() {
    main->new_->trigger();
    frmAgent* registration = Windows::find<frmAgent>();
    registration->move(5, 7);
    main->new_->trigger();
    QCOMPARE(Windows::find<frmAgent>(), registration);
    QCOMPARE(registration->pos(), QPoint(5, 7));
}

QTEST_MAIN(OpenersTest)
#include "tst_openers.moc"
