#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace store {
class DataControl;
}

// The registration window "New Agent": stores a new agent's display name, composed from the
// last name, first name and middle initial, in tblNew; a fresh sign-in window then lists it.
class frmAgent : public QDialog {
    Q_OBJECT
public:
    explicit frmAgent(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QLineEdit* Text1; // last name
    QLabel* Label5;
    QLabel* Label2;
    QLineEdit* Text2; // first name
    QLabel* Label6;
    QLabel* Label3;
    QLineEdit* Text3;      // middle initial
    QPushButton* Command2; // Add
    QPushButton* Command1; // Cancel
    QLabel* Label4;        // the composed display name, below the visible area
    store::DataControl* adosearch;

signals:
    // A new agent is stored and the window has closed, with any sign-in window open before.
    void agentAdded();
    // Cancel, once the window has closed.
    void cancelled();

public slots:
    void Form_Load();
    // Keeps Label4 equal to the composed name; runs on every change of a name field.
    void Timer1_Timer();
    void Command2_Click();
    void Command1_Click();

    // Escape closes the window like any other way out.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void describeControls(); // for screen readers
    QLabel* label(const char* name, QRect geometry, const QString& caption);
    QLabel* note(const char* name, QRect geometry);
    QLineEdit* nameField(const char* name, QRect geometry, int limit);
    QString composedName() const;
    bool storeAgent(const QString& name);
};
