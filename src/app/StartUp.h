#pragma once

namespace app {

// Opens the program's first windows, once the faces they are laid out for are loaded. The main
// window loads and shows first: its load ends the program when the database cannot be used,
// before any other window shows. Then the sign-in window opens over it.
void startUp();

} // namespace app
