// Construction of the main window's controls: regions, counters, menus and timers.
#include "app/frmEntry.h"
#include "platform/Clock.h"

#include "core/IdleSelector.h"
#include "ui/BannerPlayer.h"
#include "ui/Counter.h"
#include "ui/Fonts.h"
#include "ui/PictureLabel.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {

template <class W> W* control(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QWidget* panel(QWidget* parent, const char* name, QRect geometry, bool visible) {
    auto* widget = control<QWidget>(parent, name, geometry);
    widget->setAutoFillBackground(true);
    widget->setVisible(visible);
    return widget;
}

// Labels here keep their text at the top, like the window system's labels they stand for; a
// label taller than its panel is cut at the panel's edge.
QLabel* label(QWidget* parent, const char* name, QRect geometry, const QString& caption,
              Qt::Alignment horizontal = Qt::AlignLeft) {
    auto* widget = control<QLabel>(parent, name, geometry);
    widget->setText(caption);
    widget->setAlignment(horizontal | Qt::AlignTop);
    return widget;
}

// The pictures cover their controls with opaque pixels. Filled beneath like a panel, a picture
// is opaque to the window too, which then paints nothing under it when a label on it changes
// (the clock's, every second), nor the idle picture's edge that lies beneath the header.
QLabel* picture(QWidget* parent, const char* name, QRect geometry, QPixmap (*draw)(QSize)) {
    auto* widget = control<ui::PictureLabel>(parent, name, geometry);
    widget->setPixmap(draw(widget->size()));
    widget->setAutoFillBackground(true);
    return widget;
}

} // namespace

void frmEntry::createRegions() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsSize(9225, 7335));
    setCentralWidget(client);

    // Created back to front: the test panels lie over the idle picture.
    Picture5 = picture(client, "Picture5", twipsRect(0, 1320, 9255, 5655), pictures::idle);
    createHeader();
    createTestPanels();
    createBottomStrip();
}

void frmEntry::createHeader() {
    Picture1 = picture(centralWidget(), "Picture1", twipsRect(0, 0, 9255, 1335), pictures::header);
    Label24 = label(Picture1, "Label24", twipsRect(6840, 0, 2295, 375), QStringLiteral("WELCOME!"),
                    Qt::AlignRight);
    lblss = label(Picture1, "lblss", twipsRect(120, 1080, 3375, 255), QStringLiteral("00:00:00"));
    for (QLabel* onPicture : {Label24, lblss})
        onPicture->setStyleSheet(QStringLiteral("color: white;"));
}

void frmEntry::createTestPanels() {
    QWidget* client = centralWidget();
    picNumb = panel(client, "picNumb", twipsRect(0, 1320, 9255, 1935), false);
    picNum = panel(client, "picNum", twipsRect(0, 3120, 9255, 3855), false);
    picTx = panel(picNum, "picTx", twipsRect(240, 240, 8895, 2775), true);
    // The fields take no focus until the first Numeric test enables the frame.
    picTx->setEnabled(false);
    Command1 = control<QPushButton>(picNum, "Command1", twipsRect(7680, 3240, 1335, 375));
    Command1->setText(QStringLiteral("Done"));
    connect(Command1, &QPushButton::clicked, this, &frmEntry::Command1_Click);
    Label25 = label(picNum, "Label25", twipsRect(3720, 3240, 3735, 375), QString());
    pical2 = panel(client, "pical2", twipsRect(0, 1320, 9255, 1935), false);
    pical = panel(client, "pical", twipsRect(0, 3240, 9255, 3735), false);
}

void frmEntry::createBottomStrip() {
    QWidget* client = centralWidget();
    Picture2 = panel(client, "Picture2", twipsRect(0, 6960, 2895, 375), true);
    sss = control<ui::BannerPlayer>(Picture2, "sss", Picture2->rect());

    Picture3 = panel(client, "Picture3", twipsRect(2880, 6960, 4215, 375), true);
    Label26 = label(Picture3, "Label26", twipsRect(0, 0, 840, 375), QStringLiteral("AGENT:"));
    Label21 = label(Picture3, "Label21", twipsRect(840, 0, 3855, 495), QString());
    for (QLabel* agent : {Label26, Label21})
        agent->setFont(tahoma(11.25));

    Picture4 = panel(client, "Picture4", twipsRect(7080, 6960, 2175, 375), true);
    quilr = label(Picture4, "quilr", twipsRect(0, 0, 2175, 615), QString(), Qt::AlignHCenter);
    quilr->setFont(tahoma(12));
}

void frmEntry::createCounters() {
    a = new Counter(QStringLiteral("a"), QStringLiteral("0"), this);
    s = new Counter(QStringLiteral("s"), QStringLiteral("25"), this);
    aa = new Counter(QStringLiteral("aa"), QStringLiteral("0"), this);
    error = new Counter(QStringLiteral("error"), QStringLiteral("0"), this);
    correct = new Counter(QStringLiteral("correct"), QStringLiteral("0"), this);
    ks = new Counter(QStringLiteral("ks"), QString(), this);
    h = new Counter(QStringLiteral("h"), QStringLiteral("0"), this);
    m = new Counter(QStringLiteral("m"), QStringLiteral("0"), this);
    se = new Counter(QStringLiteral("se"), QStringLiteral("0"), this);
    Label22 = new Counter(QStringLiteral("Label22"), QStringLiteral("Label22"), this);
    Label23 = new Counter(QStringLiteral("Label23"), QStringLiteral("Label22"), this);
}

QAction* frmEntry::menuItem(QMenu* parent, const char* name, const QString& caption) {
    QAction* item = parent ? parent->addAction(caption) : menuBar()->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

void frmEntry::createMenus() {
    auto submenu = [this](const char* name, const QString& caption) {
        QMenu* list = menuBar()->addMenu(caption);
        list->setObjectName(QLatin1String(name));
        list->menuAction()->setObjectName(QLatin1String(name));
        return list;
    };
    QMenu* menuList = submenu("menu", QStringLiteral("Menu"));
    menu = menuList->menuAction();
    new_ = menuItem(menuList, "new", QStringLiteral("New Agent"));
    sa = menuItem(menuList, "sa", QStringLiteral("Swich Agent"));
    sssss = menuItem(menuList, "sssss", QStringLiteral("System Usage Menu"));
    exit = menuItem(menuList, "exit", QStringLiteral("Exit"));

    QMenu* testList = submenu("Test", QStringLiteral("Test"));
    Test = testList->menuAction();
    alpha = menuItem(testList, "alpha", QStringLiteral("Alpha"));
    number = menuItem(testList, "number", QStringLiteral("Numeric"));
    an = menuItem(testList, "an", QStringLiteral("Alpha-Numeric"));

    Reste = menuItem(nullptr, "Reste", QStringLiteral("Reset"));
    Reste->setEnabled(false);
    amd = menuItem(nullptr, "amd", QStringLiteral("Admin"));
    result = menuItem(nullptr, "result", QStringLiteral("Result"));
    About = menuItem(nullptr, "About", QStringLiteral("About"));
    help = menuItem(nullptr, "help", QStringLiteral("Help"));

    const std::pair<QAction*, void (frmEntry::*)()> handlers[] = {
        {new_, &frmEntry::new__Click},   {sa, &frmEntry::sa_Click},
        {sssss, &frmEntry::sssss_Click}, {exit, &frmEntry::exit_Click},
        {alpha, &frmEntry::alpha_Click}, {number, &frmEntry::number_Click},
        {an, &frmEntry::an_Click},       {Reste, &frmEntry::Reste_Click},
        {amd, &frmEntry::amd_Click},     {result, &frmEntry::result_Click},
        {About, &frmEntry::About_Click}, {help, &frmEntry::help_Click}};
    for (const auto& [item, handler] : handlers)
        connect(item, &QAction::triggered, this, handler);
}

void frmEntry::createTimers() {
    auto timer = [this](const char* name, int interval, void (frmEntry::*tick)()) {
        auto* t = new QTimer(this);
        t->setObjectName(QLatin1String(name));
        t->setInterval(interval);
        // A 25-second test must last 25 seconds, not 25 give or take a coarse timer's slack;
        // the idle selector's ticks need no such care.
        t->setTimerType(interval >= 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
        connect(t, &QTimer::timeout, this, tick);
        return t;
    };
    // The idle selector keeps the time instead of ticking: the window catches up with its
    // ticks before each draw.
    Timer1 = new IdleSelector(
        QStringLiteral("Timer1"), 10, [] { return platform::clock().monotonicMilliseconds(); },
        this);
    Timer2 = timer("Timer2", 1000, &frmEntry::Timer2_Timer);
    Timer3 = timer("Timer3", 2000, &frmEntry::Timer3_Timer);
    Timer4 = timer("Timer4", 1000, &frmEntry::Timer4_Timer);
    Timer5 = timer("Timer5", 1000, &frmEntry::Timer5_Timer);
    Timer1->start();
    // The clock is what wakes the idle program, once a second; besides it only the banner's
    // frames and a focused field's caret do.
    Timer4->start();
}
