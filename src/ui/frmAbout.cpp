#include "ui/frmAbout.h"

#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"
#include "ui/clsOnTop.h"

#include <QLabel>
#include <QTimer>

frmAbout::frmAbout(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(twipsSize(4680, 2295));
    createPicture();
    createLabels();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(3000);
    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
}

void frmAbout::createPicture() {
    // The picture is wider than the window; its right part lies outside and is cut off.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(0, 0, 8760, 2295));
    Image1->setPixmap(pictures::aboutBackground(Image1->size()));

    Line1 = new QWidget(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(QRect(QPoint(twips(120), twips(960)), QPoint(twips(4560) - 1, twips(960))));
    Line1->setStyleSheet(QStringLiteral("background: white;"));
    Line1->setAttribute(Qt::WA_StyledBackground);
}

QLabel* frmAbout::whiteLabel(const char* name, QRect geometry, const QString& caption) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(tahoma(8.25));
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return label;
}

void frmAbout::createLabels() {
    Label5 =
        whiteLabel("Label5", twipsRect(360, 120, 4215, 855), QStringLiteral("Quil's Data Entry"));
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setFont(palatino(24));
    Label6 = whiteLabel("Label6", twipsRect(600, 720, 3495, 375),
                        QStringLiteral("\u00A9 TORLENWORKS. All rights reserved."));
    Label1 = whiteLabel("Label1", twipsRect(600, 1080, 3495, 375),
                        QStringLiteral("Designed and developed by"));
    Label2 = whiteLabel("Label2", twipsRect(600, 1320, 3495, 375), QStringLiteral("TORLENWORKS"));
    Label3 = whiteLabel("Label3", twipsRect(600, 1560, 3495, 375),
                        QStringLiteral("torlenworks@example.com"));
    Label4 = whiteLabel("Label4", twipsRect(600, 1800, 3495, 375), QStringLiteral("Tel. 555-0142"));
}

void frmAbout::Form_Load() {
    onTop().MakeTopMost(this);
    Timer1->start();
}

void frmAbout::Timer1_Timer() {
    Timer1->stop();
    close();
    emit timedOut();
}
