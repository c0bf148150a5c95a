#include "agents/frmAgent.h"

#include "agents/CharacterLimit.h"
#include "agents/frmLog.h"
#include "core/ConnectionString.h"
#include "core/DisplayName.h"
#include "platform/ProgramFolder.h"
#include "store/DataControl.h"
#include "ui/Accessible.h"
#include "ui/ErrorPolicy.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"
#include "ui/Windows.h"
#include "ui/clsOnTop.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kTitle = QStringLiteral("TORLENWORKS");
const QColor kFocused(255, 255, 0); // &H0000FFFF
const QColor kUnfocused(255, 255, 255);

void setBackground(QLineEdit* field, const QColor& colour) {
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, colour);
    field->setPalette(colours);
}

} // namespace

frmAgent::frmAgent(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAgent"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("New Agent"));
    setFont(tahoma(8.25));
    setFixedSize(twipsSize(4260, 2955));
    createControls();
    describeControls();
    adosearch = new store::DataControl(this);
    adosearch->setObjectName(QStringLiteral("adosearch"));
}

QLabel* frmAgent::label(const char* name, QRect geometry, const QString& caption) {
    auto* widget = new QLabel(caption, this);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return widget;
}

// The notes reach past the window's right edge; where the face in use is too wide for the
// visible part, they wrap onto their second line instead of losing their last letters.
QLabel* frmAgent::note(const char* name, QRect geometry) {
    QLabel* widget =
        label(name, geometry.intersected(rect()), QStringLiteral("Maximum of 14 Characters"));
    widget->setWordWrap(true);
    return widget;
}

QLineEdit* frmAgent::nameField(const char* name, QRect geometry, int limit) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(geometry);
    field->setValidator(new agents::CharacterLimit(limit, field));
    setBackground(field, kUnfocused);
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, &frmAgent::Timer1_Timer);
    return field;
}

void frmAgent::createControls() {
    // The picture is larger than the window; the window shows its top left part.
    Image1 = label("Image1", twipsRect(0, 0, 8760, 3015), QString());
    Image1->setPixmap(pictures::agentBackground(Image1->size()));

    // Labels first: the fields lie over the ends of their captions.
    Label1 = label("Label1", twipsRect(120, 120, 1695, 375), QStringLiteral("LAST NAME:"));
    Label5 = note("Label5", twipsRect(2160, 480, 2655, 495));
    Label2 = label("Label2", twipsRect(120, 960, 1695, 375), QStringLiteral("FIRST NAME:"));
    Label6 = note("Label6", twipsRect(2160, 1320, 2655, 495));
    Label3 = label("Label3", twipsRect(120, 1680, 1695, 375), QStringLiteral("MIDDLE NAME:"));
    Label4 = label("Label4", twipsRect(840, 4680, 1935, 615), QStringLiteral("Label4"));

    Text1 = nameField("Text1", twipsRect(1440, 120, 2655, 375), 14);
    Text2 = nameField("Text2", twipsRect(1440, 960, 2655, 375), 14);
    Text3 = nameField("Text3", twipsRect(1440, 1680, 375, 375), 1);

    Command2 = new QPushButton(QStringLiteral("&Add"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(twipsRect(1560, 2280, 1215, 375));
    Command2->setDefault(true);
    connect(Command2, &QPushButton::clicked, this, &frmAgent::Command2_Click);
    Command1 = new QPushButton(QStringLiteral("C&ancel"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(2880, 2280, 1215, 375));
    connect(Command1, &QPushButton::clicked, this, &frmAgent::Command1_Click);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Command2);
    setTabOrder(Command2, Command1);
}

// Each caption is its field's buddy.
void frmAgent::describeControls() {
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    Label3->setBuddy(Text3);
    const QString fourteen = QStringLiteral("At most 14 characters");
    ui::describe({
        {Text1, QStringLiteral("Last name"), fourteen},
        {Text2, QStringLiteral("First name"), fourteen},
        {Text3, QStringLiteral("Middle initial"), QStringLiteral("One character")},
        {Command2, QStringLiteral("Add"), QStringLiteral("Stores the new agent")},
        {Command1, QStringLiteral("Cancel"), QStringLiteral("Closes without storing")},
    });
}

void frmAgent::Form_Load() {
    onTop().MakeTopMost(this);
    adosearch->setConnectionString(store::connectionStringA(platform::programFolder()));
    adosearch->setRecordSource(QStringLiteral("Select * from tblNew"));
    if (!ui::notCaught(adosearch->Refresh(), *adosearch))
        return;
    Timer1_Timer();
    Text1->setFocus();
}

QString frmAgent::composedName() const {
    return agents::displayName(Text1->text(), Text2->text(), Text3->text());
}

void frmAgent::Timer1_Timer() {
    Label4->setText(composedName());
}

bool frmAgent::eventFilter(QObject* watched, QEvent* event) {
    // GotFocus and LostFocus of the three name fields. Another window coming to the front
    // (a message box, say) takes no focus from a field within this one.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            setBackground(field, event->type() == QEvent::FocusIn ? kFocused : kUnfocused);
    }
    return QDialog::eventFilter(watched, event);
}

void frmAgent::Command2_Click() {
    // Blanks count as filled: names are stored exactly as typed.
    if (Text1->text().isEmpty() || Text2->text().isEmpty() || Text3->text().isEmpty()) {
        ui::messageBox(ui::Icon::Information, QStringLiteral("Complete the infomation above."),
                       kTitle, this);
        return;
    }
    const QString name = composedName();
    if (!storeAgent(name)) {
        // A row the database refused is no new agent: say so, and keep the fields for
        // another try.
        ui::messageBox(ui::Icon::Critical,
                       QStringLiteral("The new agent \"%1\" could not be stored.\n\n"
                                      "Database: %2\nError: %3")
                           .arg(name, adosearch->databaseFile(), adosearch->error()),
                       kTitle, this);
        return;
    }
    ui::messageBox(ui::Icon::Information, QStringLiteral("New Agent Added! Good Luck!"), kTitle,
                   this);
    close();
    // A sign-in window opened meanwhile from the main window's menu would list the agents
    // without the new one: it gives way to a fresh one. Closed, it is no longer loaded, and
    // the event loop deletes it.
    if (frmLog* open = Windows::find<frmLog>())
        open->close();
    emit agentAdded();
}

bool frmAgent::storeAgent(const QString& name) {
    store::RecordSet* rows = adosearch->Recordset();
    rows->AddNew();
    if (!rows->setValue(QStringLiteral("Name"), name) || !rows->Update())
        return false;
    // The row is stored; the view's refresh is passed over.
    ui::passedOver(adosearch->Refresh());
    return true;
}

void frmAgent::Command1_Click() {
    close();
    emit cancelled();
}

void frmAgent::reject() {
    close();
}

// Every close unloads the window; the dialog's own handling would only hide it.
void frmAgent::closeEvent(QCloseEvent* event) {
    event->accept();
}
