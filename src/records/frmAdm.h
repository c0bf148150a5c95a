#pragma once

#include <QList>
#include <QWidget>

class DataGrid;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace store {
class DataControl;
}
namespace records {
enum class PasswordCheck;
}

// The admin window "Admin". It opens small, with a password box; the admin password from
// tblAdm opens the records stage, three grids in which results, agents and admin passwords are
// deleted with Del (and the Date of a result or a password edited in place). A wrong password
// closes the window with a warning. The main window stays enabled meanwhile; the Close
// buttons and a blank password give it back enabled even when another window had disabled it.
class frmAdm : public QWidget {
    Q_OBJECT
public:
    frmAdm();

    // Password stage.
    QGroupBox* Frame1;
    QLineEdit* Text1;
    QPushButton* Command1; // Ok
    QPushButton* Command2; // Close

    // Records stage.
    QWidget* Picture1;
    DataGrid* DataGrid1; // results, tblRem
    DataGrid* DataGrid2; // agents, tblNew
    DataGrid* DataGrid3; // admin passwords, tblAdm
    QLabel* Label1;
    QRadioButton* Option1; // Hide Password
    QRadioButton* Option2; // Show Password
    QPushButton* Command3; // &Close

    store::DataControl* adosearch; // tblAdm
    store::DataControl* adolog;    // tblRem
    store::DataControl* adolog1;   // tblNew

signals:
    // A Close button or a blank password has closed the window.
    void closedToTheMainWindow();

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Option1_Click();
    void Option2_Click();
    // The column treatment of the records stage: hidden and locked columns, and the window on
    // top. Applied when the records stage is shown and whenever a grid is built anew.
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createPasswordStage();
    void createRecordsStage();
    void describeControls(); // for screen readers, both stages
    store::DataControl* dataControl(const char* name);
    void openTable(store::DataControl* control, const QString& table);
    void bindGrid(DataGrid* grid, store::DataControl* control);
    void showRecordsStage();
    void refuse(records::PasswordCheck check);
    void closeToTheMainWindow();
    void deleteRows(DataGrid* grid, const QList<int>& rows);
    void reportStoreFailure(DataGrid* grid);
};
