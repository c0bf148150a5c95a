#include "app/frmEntry.h"

#include "core/ConnectionString.h"
#include "core/IdleSelector.h"
#include "exam/NumericRound.h"
#include "exam/WordRound.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "store/DataControl.h"
#include "store/StartupCheck.h"
#include "ui/BannerPlayer.h"
#include "ui/Counter.h"
#include "ui/ErrorPolicy.h"
#include "ui/Fonts.h"
#include "ui/Placement.h"
#include "ui/clsOnTop.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

frmEntry::frmEntry(QWidget* parent) : QMainWindow(parent), random(platform::makeRandomSource()) {
    setObjectName(QStringLiteral("frmEntry"));
    setWindowTitle(QStringLiteral("Quil's DATA ENTRY TIMED!!!"));
    setFont(tahoma(9.75));
    createRegions();
    createCounters();
    createMenus();
    createMenuKeys();
    createTimers();
    adosearch = new store::DataControl(this);
    adosearch->setObjectName(QStringLiteral("adosearch"));
    createNumericTest();
    createWordTests();
    describeControls();
    // Fixed size: the client area plus the menu bar.
    setFixedSize(sizeHint());
}

frmEntry::~frmEntry() = default;

void frmEntry::draw(int range) {
    catchUpIdleTicks();
    a->setNumber(std::floor(random->next() * range));
}

void frmEntry::catchUpIdleTicks() {
    const qint64 due = Timer1->takeDueTicks();
    if (due <= 0)
        return;
    // Each tick drew as Timer1_Timer does; only the last one's draw stays in a.
    random->discard(quint64(due - 1));
    a->setNumber(std::floor(random->next() * 7));
}

void frmEntry::Form_Load() {
    draw(5);
    onTop().MakeTopMost(this);

    const QString folder = platform::programFolder();
    // A file that would lose a finished result is refused now, before any window shows.
    const store::Connection connection = store::connectionStringA(folder);
    QString fault;
    if (!ui::notCaught(store::checkAtStartup(connection.databaseFile, &fault),
                       connection.databaseFile, fault))
        return;
    adosearch->setConnectionString(connection);
    adosearch->setRecordSource(QStringLiteral("Select * from tblRem"));
    if (!ui::notCaught(adosearch->Refresh(), *adosearch))
        return;

    Label22->setText(platform::clock().dateText());
    sss->setMovie(folder + QStringLiteral("/quil.swf"));
}

void frmEntry::Timer1_Timer() {
    draw(7);
}

void frmEntry::Reste_Click() {
    Test->setEnabled(true);
    quilr->clear();
    for (exam::Round* round : std::as_const(rounds))
        round->reset();
    Reste->setEnabled(false);
}

exam::RoundView frmEntry::roundView() {
    return exam::RoundView{this,
                           *a,
                           *correct,
                           *error,
                           *ks,
                           *Label23,
                           *Test,
                           *Reste,
                           *Timer1,
                           *quilr,
                           *adosearch,
                           [this](int range) { draw(range); },
                           [this](QPushButton* button) { setDefaultButton(button); },
                           [this](exam::Round& shown) { showOnly(shown); },
                           [this](const exam::Round& running) { stopOtherCountdowns(running); },
                           [this] { return currentResult(); }};
}

void frmEntry::showOnly(exam::Round& shown) {
    shown.showPanels();
    for (exam::Round* other : std::as_const(rounds))
        if (other != &shown)
            other->standAside();
}

void frmEntry::stopOtherCountdowns(const exam::Round& running) {
    for (exam::Round* other : std::as_const(rounds))
        if (other != &running)
            other->stopCountdown();
}

exam::Result frmEntry::currentResult() const {
    return exam::Result{Label22->text(), Label21->text(), Label23->text(), Label24->text(),
                        error->text(),   correct->text(), ks->text()};
}

void frmEntry::Timer3_Timer() {
    Label25->clear();
    Timer3->stop();
}

void frmEntry::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred)
        return;
    centred = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        ui::centreFrameOn(*this, screen->availableGeometry().center());
}

void frmEntry::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && defaultButton && defaultButton->isEnabled() && defaultButton->isVisibleTo(this)) {
        defaultButton->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
