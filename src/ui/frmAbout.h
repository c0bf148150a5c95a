#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The About window: the title, the rights notice and the maker's contacts in white over a
// picture. It has no button: it closes itself three seconds after it loaded. Its opener keeps
// the main window disabled while it is open, whichever way it closes.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label5; // the title
    QLabel* Label6; // rights notice
    QWidget* Line1;
    QLabel* Label1; // developer credit
    QLabel* Label2; // the maker
    QLabel* Label3; // e-mail address
    QLabel* Label4; // telephone
    QTimer* Timer1;

signals:
    // Its three seconds are over and it has closed itself.
    void timedOut();

public slots:
    void Form_Load();
    void Timer1_Timer();

private:
    void createPicture();
    void createLabels();
    QLabel* whiteLabel(const char* name, QRect geometry, const QString& caption);
};
