// The main window's menu items that open the records windows.
#include "app/frmEntry.h"
#include "records/frmAdm.h"
#include "records/frmMn.h"
#include "records/frmRemarks.h"
#include "ui/Windows.h"

void frmEntry::sssss_Click() {
    Windows::show<frmMn>();
    setEnabled(false);
}

// The admin window leaves the main window enabled.
void frmEntry::amd_Click() {
    Windows::show<frmAdm>();
}

void frmEntry::result_Click() {
    Windows::show<frmRemarks>();
    setEnabled(false);
}
