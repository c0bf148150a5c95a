// The admin window: construction, load, the password check and the ways out.
#include "records/frmAdm.h"

#include "core/ConnectionString.h"
#include "platform/ProgramFolder.h"
#include "records/AdminPassword.h"
#include "records/Buttons.h"
#include "records/DataGrid.h"
#include "records/KeysAfterClose.h"
#include "store/DataControl.h"
#include "ui/Accessible.h"
#include "ui/ErrorPolicy.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"
#include "ui/Placement.h"
#include "ui/Twips.h"
#include "ui/clsOnTop.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The password box shows every typed character as "*".
class StarPasswordStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

frmAdm::frmAdm() : QWidget(nullptr, Qt::Dialog) {
    setObjectName(QStringLiteral("frmAdm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Admin"));
    setFont(tahoma(8.25));
    setFixedSize(twipsSize(3030, 1605));
    adosearch = dataControl("adosearch");
    adolog = dataControl("adolog");
    adolog1 = dataControl("adolog1");
    createPasswordStage();
    createRecordsStage();
    describeControls();
}

store::DataControl* frmAdm::dataControl(const char* name) {
    auto* control = new store::DataControl(this);
    control->setObjectName(QLatin1String(name));
    return control;
}

void frmAdm::createPasswordStage() {
    Frame1 = new QGroupBox(QStringLiteral("Enter Password"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(0, 0, 3135, 1695));
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(120, 360, 2775, 495));
    Text1->setEchoMode(QLineEdit::Password);
    // Made after the box, so that it outlives it.
    auto* stars = new StarPasswordStyle;
    stars->setParent(this);
    Text1->setStyle(stars);
    Command1 = records::grayButton(Frame1, "Command1", QStringLiteral("Ok"),
                                   twipsRect(1080, 960, 855, 375));
    Command1->setDefault(true);
    Command2 = records::grayButton(Frame1, "Command2", QStringLiteral("Close"),
                                   twipsRect(2040, 960, 855, 375));
    connect(Command1, &QPushButton::clicked, this, &frmAdm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmAdm::Command2_Click);
}

// Each grid's caption bar is its buddy.
void frmAdm::describeControls() {
    const QString deletable = QStringLiteral(": select rows and press Del to delete them");
    ui::describe({
        {Text1, QStringLiteral("Admin password"), QStringLiteral("Type it, then Ok")},
        {Command1, QStringLiteral("Ok"), QStringLiteral("Opens the records")},
        {Command2, QStringLiteral("Close"), QStringLiteral("Closes the Admin window")},
        {DataGrid1, QStringLiteral("Remarks"), QStringLiteral("Stored test results") + deletable},
        {DataGrid2, QStringLiteral("Agents"), QStringLiteral("Registered agents") + deletable},
        {DataGrid3, QStringLiteral("Admin passwords"),
         QStringLiteral("The admin passwords, in plain text")},
        {Option1, QStringLiteral("Hide Password"), QStringLiteral("Hides the admin passwords")},
        {Option2, QStringLiteral("Show Password"), QStringLiteral("Shows the admin passwords")},
        {Command3, QStringLiteral("Close"), QStringLiteral("Closes the Admin window")},
    });
    for (DataGrid* grid : {DataGrid1, DataGrid2, DataGrid3})
        grid->caption()->setBuddy(grid);
}

void frmAdm::Form_Load() {
    onTop().MakeTopMost(this);
    // Each step that fails is passed over: its grid stays empty.
    openTable(adosearch, QStringLiteral("tblAdm"));
    openTable(adolog, QStringLiteral("tblRem"));
    openTable(adolog1, QStringLiteral("tblNew"));
    Text1->setFocus();
}

void frmAdm::openTable(store::DataControl* control, const QString& table) {
    control->setConnectionString(store::connectionStringA(platform::programFolder()));
    control->setRecordSource(QStringLiteral("Select * from ") + table);
    ui::passedOver(control->Refresh());
}

void frmAdm::Command1_Click() {
    openTable(adosearch, QStringLiteral("tblAdm"));
    const records::PasswordCheck check =
        records::checkPassword(*adosearch->Recordset(), Text1->text());
    if (check == records::PasswordCheck::Accepted)
        showRecordsStage();
    else
        refuse(check);
}

// Whatever the reason, the same warning, and the window closes.
void frmAdm::refuse(records::PasswordCheck check) {
    ui::messageBox(ui::Icon::Exclamation, QStringLiteral("Incorrect Admin Password"),
                   QStringLiteral("Close"), this);
    switch (check) {
    case records::PasswordCheck::Empty:
        closeToTheMainWindow();
        break;
    case records::PasswordCheck::CaseDiffers:
        close();
        records::sendHomeShiftEndOnceGone(this);
        break;
    default:
        close();
        break;
    }
}

void frmAdm::showRecordsStage() {
    Frame1->hide();
    Picture1->show();
    Timer1_Timer();
    // The outer size and place, frame included, in screen coordinates: kept where they fit,
    // moved onto the screen where they do not.
    const QMargins frame = ui::frameMargins(*this);
    setFixedSize(twipsSize(7695, 6645).shrunkBy(frame));
    ui::placeFrameAt(*this, QPoint(twips(4000), twips(2333)));
}

void frmAdm::Command2_Click() {
    closeToTheMainWindow();
}

void frmAdm::Command3_Click() {
    closeToTheMainWindow();
}

void frmAdm::closeToTheMainWindow() {
    close();
    emit closedToTheMainWindow();
}

// Every way out stores a row still being edited.
void frmAdm::closeEvent(QCloseEvent* event) {
    for (DataGrid* grid : {DataGrid1, DataGrid2, DataGrid3}) {
        if (grid->model() && !grid->model()->submit())
            reportStoreFailure(grid);
    }
    QWidget::closeEvent(event);
}

void frmAdm::keyPressEvent(QKeyEvent* event) {
    if (!records::pressDefault(event, Command1))
        QWidget::keyPressEvent(event);
}
