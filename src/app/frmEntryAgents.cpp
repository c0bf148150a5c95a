// The main window's side of the agents: registration and switch from the menu, the usage
// clock, and Exit.
#include "agents/frmAgent.h"
#include "agents/frmLog.h"
#include "app/frmEntry.h"
#include "core/ConnectionString.h"
#include "core/UsageClock.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "store/DataControl.h"
#include "ui/Counter.h"
#include "ui/EndProgram.h"
#include "ui/ErrorPolicy.h"
#include "ui/OpenOver.h"
#include "ui/RowRescue.h"
#include "ui/Windows.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The usage row, field by field in the order they are set.
struct UsageRow {
    QString date, time, elapsed, lastAgent;
};

QString unsavedText(const UsageRow& row) {
    return QStringLiteral("Date: %1\nTime: %2\nElapsed: %3\nLastAgent: %4")
        .arg(row.date, row.time, row.elapsed, row.lastAgent);
}

bool storeRow(store::DataControl& view, const UsageRow& row) {
    store::RecordSet* rows = view.Recordset();
    rows->AddNew();
    const std::pair<const char*, const QString*> fields[] = {{"Date", &row.date},
                                                             {"Time", &row.time},
                                                             {"Elapsed", &row.elapsed},
                                                             {"LastAgent", &row.lastAgent}};
    for (const auto& [name, value] : fields)
        if (!rows->setValue(QLatin1String(name), *value))
            return false;
    return rows->Update();
}

} // namespace

void frmEntry::new__Click() {
    openRegistration();
}

void frmEntry::sa_Click() {
    openSignIn()->forSwitch();
}

frmLog* frmEntry::openSignIn() {
    frmLog* signIn = Windows::show<frmLog>([this](frmLog& fresh) {
        ui::centreOn(fresh, *this);
        connect(&fresh, &frmLog::signedIn, this, &frmEntry::agentSignedIn);
        connect(&fresh, &frmLog::cancelled, this, &frmEntry::show);
        connect(&fresh, &frmLog::registrationRequested, this, &frmEntry::openRegistration);
    });
    ui::openOver(*this, *signIn);
    return signIn;
}

// The sign-in window closes next, and gives this window back enabled.
void frmEntry::agentSignedIn(const QString& agent) {
    show();
    Label21->setText(agent);
}

// The registration leaves this window enabled. A new agent gets a fresh sign-in; Cancel gives
// this window back enabled, even when a sign-in window opened meanwhile had disabled it.
void frmEntry::openRegistration() {
    Windows::show<frmAgent>([this](frmAgent& fresh) {
        ui::centreOn(fresh, *this);
        connect(&fresh, &frmAgent::agentAdded, this, &frmEntry::openSignIn);
        connect(&fresh, &frmAgent::cancelled, this, [this] {
            show();
            setEnabled(true);
        });
    });
}

void frmEntry::exit_Click() {
    const UsageRow row{Label22->text(), Label24->text(), lblss->text(), Label21->text()};
    if (!adoquil) {
        adoquil = new store::DataControl(this);
        adoquil->setObjectName(QStringLiteral("adoquil"));
    }
    adoquil->setConnectionString(store::connectionStringA(platform::programFolder()));
    adoquil->setRecordSource(QStringLiteral("select * from tblSystem"));
    const ui::FinishedRow finished{QStringLiteral("usage record"), QStringLiteral("unsaved-usage"),
                                   unsavedText(row)};
    if (!ui::storeOrRescue(*adoquil, finished, ui::FirstAttempt::RefreshThenStore,
                           [&] { return storeRow(*adoquil, row); }))
        return;
    // The row is stored: a failing refresh must not report it as lost.
    if (!ui::notCaught(adoquil->Refresh(), *adoquil))
        return;
    ui::endProgram(0);
}

void frmEntry::Timer4_Timer() {
    Label24->setText(platform::clock().timeText());
    agents::UsageCount count{h->text(), m->text(), se->text()};
    agents::tick(count);
    h->setText(count.hours);
    m->setText(count.minutes);
    se->setText(count.seconds);
    lblss->setText(agents::usageText(count));
}
