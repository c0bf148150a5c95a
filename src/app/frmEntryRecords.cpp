// The main window's menu items that open the records windows.
#include "app/frmEntry.h"
#include "records/frmAdm.h"
#include "records/frmMn.h"
#include "records/frmRemarks.h"
#include "ui/OpenOver.h"
#include "ui/Windows.h"

namespace {

// A list window over the main window, which shows again as the list closes.
template <class List> void openList(frmEntry& main) {
    List* list = Windows::show<List>([&main](List& fresh) {
        QObject::connect(&fresh, &RecordsList::closed, &main, &frmEntry::show);
    });
    ui::openOver(main, *list);
}

} // namespace

void frmEntry::sssss_Click() {
    openList<frmMn>(*this);
}

// The admin window leaves the main window enabled.
void frmEntry::amd_Click() {
    Windows::show<frmAdm>([this](frmAdm& fresh) {
        connect(&fresh, &frmAdm::closedToTheMainWindow, this, [this] { setEnabled(true); });
    });
}

void frmEntry::result_Click() {
    openList<frmRemarks>(*this);
}
