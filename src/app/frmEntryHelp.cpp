// The main window's About and Help menu items.
#include "app/frmEntry.h"
#include "ui/HelpText.h"
#include "ui/MessageBox.h"
#include "ui/Windows.h"
#include "ui/frmAbout.h"

void frmEntry::About_Click() {
    Windows::show<frmAbout>();
    setEnabled(false);
}

void frmEntry::help_Click() {
    ui::messageBox(ui::Icon::Information, helpText(), QStringLiteral("Quil's Data Entry"), this);
}
