#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace ui {

// Where a window goes: its client area wanted at `wanted`, framed by `frame`, moved as little
// as needed for the whole frame to lie within `available`. A frame wider or taller than the
// area keeps its top-left corner inside: the title bar, with its close and minimise buttons,
// is what must stay reachable. Returns the placed client area, of the wanted size.
QRect placedWithin(const QRect& wanted, const QMargins& frame, const QRect& available);

// The margins of a top-level window's frame. Until the window system has framed it (before
// its first show under a window manager) it tells none, and a common title bar and border are
// assumed instead; a window without a frame has none.
QMargins frameMargins(const QWidget& window);

// Places a top-level window with its frame's top-left corner at the point (screen
// coordinates), moved within the available area of the screen the point lies on.
void placeFrameAt(QWidget& window, QPoint frameTopLeft);

// Places a top-level window with its frame's centre on the point, moved within the available
// area of the screen the point lies on.
void centreFrameOn(QWidget& window, QPoint centre);

} // namespace ui
