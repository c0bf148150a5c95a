#include "agents/frmLog.h"

#include "agents/ArrowsPick.h"
#include "core/ConnectionString.h"
#include "platform/ProgramFolder.h"
#include "store/DataControl.h"
#include "ui/Accessible.h"
#include "ui/EndProgram.h"
#include "ui/ErrorPolicy.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"
#include "ui/clsOnTop.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kTitle = QStringLiteral("TORLENWORKS");
const QString kPrompt = QStringLiteral("Pick your name");

} // namespace

frmLog::frmLog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Select User"));
    setFont(tahoma(8.25));
    setFixedSize(twipsSize(4185, 1680));
    createControls();
    describeControls();
    adosearch = new store::DataControl(this);
    adosearch->setObjectName(QStringLiteral("adosearch"));
}

QPushButton* frmLog::button(const char* name, const QString& caption, QRect geometry,
                            void (frmLog::*handler)()) {
    auto* widget = new QPushButton(caption, this);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    connect(widget, &QPushButton::clicked, this, handler);
    return widget;
}

void frmLog::createControls() {
    // The picture is larger than the window; the window shows its top left part.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(0, 0, 8760, 2295));
    Image1->setPixmap(pictures::agentBackground(Image1->size()));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(120, 120, 3855, 360));
    Combo1->setEditable(true);
    // Combo1_KeyPress: typed characters (and pasted or dropped text) are discarded; the text
    // changes only by picking an entry.
    Combo1->lineEdit()->setReadOnly(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    // A prompt, not a text: the list's text stays empty until a name is picked. The text part
    // paints it, as it covers the list's own face.
    Combo1->setPlaceholderText(kPrompt);
    Combo1->lineEdit()->setPlaceholderText(kPrompt);
    connect(Combo1, &QComboBox::activated, this, &frmLog::Combo1_Click);

    Command2 = button("Command2", QStringLiteral("&Ok"), twipsRect(1320, 720, 1215, 375),
                      &frmLog::Command2_Click);
    Command2->setDefault(true);
    // A pick moves the focus to Ok, so the next Down, meant for the list, would move it on to
    // Exit, where Enter ends the program. On Ok the arrows go on picking; Tab leaves Ok.
    agents::arrowsPickIn(*Command2, *Combo1);
    Command1 = button("Command1", QStringLiteral("E&xit"), twipsRect(2760, 720, 1215, 375),
                      &frmLog::Command1_Click);
    Command3 = button("Command3", QStringLiteral("Register Now!"), twipsRect(1320, 1200, 2655, 375),
                      &frmLog::Command3_Click);
    Command4 = button("Command4", QStringLiteral("C&ancel"), twipsRect(2760, 720, 1215, 375),
                      &frmLog::Command4_Click);
    Command4->hide();

    setTabOrder(Combo1, Command2);
    setTabOrder(Command2, Command1);
    setTabOrder(Command1, Command3);
    setTabOrder(Command3, Command4);
}

void frmLog::describeControls() {
    ui::describe({
        {Combo1, QStringLiteral("Agent list"), QStringLiteral("Pick your name, then Ok")},
        {Combo1->lineEdit(), QStringLiteral("Picked agent"),
         QStringLiteral("The name picked from the agent list")},
        {Command2, QStringLiteral("Ok"), QStringLiteral("Signs in the picked agent")},
        {Command1, QStringLiteral("Exit"), QStringLiteral("Ends the program")},
        {Command3, QStringLiteral("Register Now"),
         QStringLiteral("Opens the registration of a new agent")},
        {Command4, QStringLiteral("Cancel"), QStringLiteral("Keeps the current agent")},
    });
}

void frmLog::forSwitch() {
    Command4->setVisible(true);
    Command1->setVisible(false);
}

void frmLog::Form_Load() {
    onTop().MakeTopMost(this);
    // From here on a failing database step is passed over: the list keeps what was read.
    fillList();
    Combo1->setFocus();
}

void frmLog::fillList() {
    adosearch->setConnectionString(store::connectionStringB(platform::programFolder()));
    adosearch->setRecordSource(QStringLiteral("Select * from tblNew"));
    if (!ui::passedOver(adosearch->Refresh()))
        return;
    store::RecordSet* rows = adosearch->Recordset();
    if (!ui::passedOver(rows->MoveFirst()))
        return;
    while (!rows->atEOF()) {
        // A Name without a value has no text to list.
        const QVariant name = rows->Value(QStringLiteral("Name"));
        if (name.isValid())
            Combo1->addItem(name.toString());
        // A row that cannot be left ends the reading: the list holds what was read.
        if (!ui::passedOver(rows->MoveNext()))
            break;
    }
    // Adding the first entry picked it; the text stays empty until the operator picks.
    Combo1->setCurrentIndex(-1);
}

void frmLog::Combo1_Click() {
    Command2->setFocus();
}

void frmLog::Command2_Click() {
    if (Combo1->currentText().isEmpty()) {
        ui::messageBox(ui::Icon::Information,
                       QStringLiteral("Select User!\r\n\r\nIf its not you, you may register"),
                       kTitle, this);
        return;
    }
    emit signedIn(Combo1->currentText());
    close();
}

void frmLog::Command1_Click() {
    ui::endProgram(0);
}

void frmLog::Command3_Click() {
    close();
    emit registrationRequested();
}

void frmLog::Command4_Click() {
    close();
    emit cancelled();
}

// The main window is enabled again by the window that opened this one over it, once this
// one has closed.
void frmLog::Form_Unload() {}

void frmLog::reject() {
    close();
}

void frmLog::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}
