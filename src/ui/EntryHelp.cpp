// The main window's About and Help menu items.
#include "app/frmEntry.h"

void frmEntry::About_Click() {}

void frmEntry::help_Click() {}
