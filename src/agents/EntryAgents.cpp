// The main window's side of the agents: registration and switch from the menu, the usage
// clock, and Exit.
#include "app/frmEntry.h"

void frmEntry::new__Click() {}

void frmEntry::sa_Click() {}

void frmEntry::exit_Click() {}

void frmEntry::Timer4_Timer() {}
