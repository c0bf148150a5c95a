#pragma once

#include <QPixmap>
#include <QSize>

// The decorative pictures of the windows, drawn by the program itself.
namespace pictures {
QPixmap header(QSize size);          // the main window's header, with the title
QPixmap idle(QSize size);            // the main window's picture behind the test panels
QPixmap agentBackground(QSize size); // shared by the sign-in and registration windows
QPixmap aboutBackground(QSize size); // the About window's picture
} // namespace pictures
