#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace store {
class DataControl;
}

// The sign-in window "Select User": lists every registered agent; Ok signs the picked one in.
// It opens at start-up (first sign-in: Exit shown) and for the main window's "Swich Agent"
// (switch: Cancel shown in Exit's place). Its opener keeps the main window disabled while it
// is open.
class frmLog : public QDialog {
    Q_OBJECT
public:
    explicit frmLog(QWidget* parent = nullptr);

    QLabel* Image1;
    QComboBox* Combo1;
    QPushButton* Command2; // Ok
    QPushButton* Command1; // Exit
    QPushButton* Command3; // Register Now!
    QPushButton* Command4; // Cancel, switch only
    store::DataControl* adosearch;

    // Serves a switch of agent: Cancel in Exit's place.
    void forSwitch();

signals:
    // Ok with an agent picked, just before the window closes.
    void signedIn(const QString& agent);
    // Cancel, once the window has closed.
    void cancelled();
    // "Register Now!", once the window has closed.
    void registrationRequested();

public slots:
    void Form_Load();
    void Combo1_Click();
    void Command2_Click();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Form_Unload();

    // Every way out but Exit unloads the window; Escape is one of them.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    QPushButton* button(const char* name, const QString& caption, QRect geometry,
                        void (frmLog::*handler)());
    void fillList();
    void describeControls(); // for screen readers
};
