// The main window's menu items that open the records windows.
#include "app/frmEntry.h"

void frmEntry::sssss_Click() {}

void frmEntry::amd_Click() {}

void frmEntry::result_Click() {}
