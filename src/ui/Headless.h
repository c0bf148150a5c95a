#pragma once

namespace ui {

// True on a platform without a screen (offscreen, minimal): there nobody could ever answer a
// modal box or dialog, and waiting for an answer would hang the program.
bool headless();

} // namespace ui
