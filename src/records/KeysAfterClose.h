#pragma once

class QWidget;

namespace records {

// Sends Home, then Shift+End, to the widget that has the focus once the closing window is
// gone: at once when the focus already rests in another window, otherwise when the next window
// is activated. The closing window itself never gets them.
void sendHomeShiftEndOnceGone(QWidget* closing);

} // namespace records
