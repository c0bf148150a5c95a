#pragma once

class QWidget;

namespace ui {

// Opens a window over its owner: the owner takes no input while the window is open, and is
// enabled again once the window has been hidden (closed in any way: its own buttons, Escape,
// the window manager's close box) or deleted. With several windows open over one owner, it
// is enabled again after the last of them. Opening the same window over it again only
// disables the owner again. Call it as the window shows.
void openOver(QWidget& owner, QWidget& window);

// Places the window so that its frame's centre lies on the centre of the other window's frame,
// as far as the screen allows.
void centreOn(QWidget& window, const QWidget& on);

} // namespace ui
