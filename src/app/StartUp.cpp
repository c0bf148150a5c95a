#include "app/StartUp.h"

#include "app/frmEntry.h"
#include "ui/ProgramFonts.h"
#include "ui/Windows.h"

namespace app {

void startUp() {
    ui::loadProgramFonts();
    Windows::show<frmEntry>()->openSignIn();
}

} // namespace app
