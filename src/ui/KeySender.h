#pragma once

namespace ui {

// Sends Home, then Shift+End, to the widget that has the keyboard focus.
void sendHomeShiftEnd();

} // namespace ui
