#include "app/StartUp.h"

#include "app/frmEntry.h"
#include "ui/Windows.h"

namespace app {

void startUp() {
    Windows::show<frmEntry>()->openSignIn();
}

} // namespace app
