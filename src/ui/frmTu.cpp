#include "ui/frmTu.h"

#include "ui/Fonts.h"
#include "ui/Twips.h"
#include "ui/clsOnTop.h"

#include <QLabel>
#include <QTimer>

frmTu::frmTu(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("frmTu"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The notice must not take the keyboard from an agent who is typing against the clock.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QString());
    setFixedSize(twipsSize(2835, 615));

    Label1 = new QLabel(QStringLiteral("Complete the Entry"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(360, 120, 3375, 495));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(tahoma(12));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmTu::Timer1_Timer);
}

void frmTu::Form_Load() {
    onTop().MakeTopMost(this);
    Timer1->start();
}

void frmTu::Timer1_Timer() {
    Timer1->stop();
    close();
}
