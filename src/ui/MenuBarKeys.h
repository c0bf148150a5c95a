#pragma once

class QMenuBar;

namespace ui {

// The menu bar is reached from the keyboard as on the desktops: Alt pressed and released
// alone lights its first title (Left and Right walk the titles, Down or Enter opens one,
// Escape or Alt again goes back to where the focus was), and F10 opens its first menu. Alt
// held with another key, or AltGr, leaves it alone. The bar gets a style of its own, a copy of
// the program's that does the Alt part and shows the title it chose.
void reachByKeyboard(QMenuBar& bar);

} // namespace ui
