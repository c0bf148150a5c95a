// The main window's About and Help menu items.
#include "app/frmEntry.h"
#include "ui/HelpText.h"
#include "ui/MessageBox.h"
#include "ui/OpenOver.h"
#include "ui/Windows.h"
#include "ui/frmAbout.h"

// The About window shows this window again when it closes itself.
void frmEntry::About_Click() {
    frmAbout* about = Windows::show<frmAbout>([this](frmAbout& fresh) {
        ui::centreOn(fresh, *this);
        connect(&fresh, &frmAbout::timedOut, this, &frmEntry::show);
    });
    ui::openOver(*this, *about);
}

void frmEntry::help_Click() {
    ui::messageBox(ui::Icon::Information, helpText(), QStringLiteral("Quil's Data Entry"), this);
}
