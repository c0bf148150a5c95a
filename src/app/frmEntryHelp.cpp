// The main window's About and Help menu items.
#include "app/Windows.h"
#include "app/frmEntry.h"
#include "platform/MessageBox.h"
#include "ui/HelpText.h"
#include "ui/frmAbout.h"

void frmEntry::About_Click() {
    Windows::show<frmAbout>();
    setEnabled(false);
}

void frmEntry::help_Click() {
    platform::messageBox(platform::Icon::Information, helpText(),
                         QStringLiteral("Quil's Data Entry"), this);
}
