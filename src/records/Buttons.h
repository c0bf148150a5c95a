#pragma once

#include <QRect>
#include <QString>

class QKeyEvent;
class QPushButton;
class QWidget;

namespace records {

// A button of the records windows: light gray face (RGB 192, 192, 192), placed in pixels.
QPushButton* grayButton(QWidget* parent, const char* name, const QString& caption, QRect geometry);

// Enter (main keyboard or keypad) presses the window's default button while it is enabled and
// visible. True when the key was used. A plain window has no default button of its own.
bool pressDefault(QKeyEvent* event, QPushButton* defaultButton);

} // namespace records
