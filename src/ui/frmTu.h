#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The "Complete the Entry" notice: a small window that closes itself one second after it
// loaded.
class frmTu : public QWidget {
    Q_OBJECT
public:
    explicit frmTu(QWidget* parent = nullptr);

    QLabel* Label1;
    QTimer* Timer1;

public slots:
    void Form_Load();
    void Timer1_Timer();
};
