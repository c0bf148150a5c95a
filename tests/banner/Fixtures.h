#pragma once

#include "movie/MoviePlayer.h"

#include <QByteArray>
#include <QColor>
#include <QImage>

namespace bannertest {

// A movie written byte by byte: 100 x 50 pixels at 12 frames a second, two frames. Frame 1 puts
// a red box (40 x 20 pixels, its lower edge a curve bulging 5 pixels down) at (30, 15) on a
// blue-grey background; frame 2 removes it. An unknown tag with a long header sits between.
QByteArray handMadeMovie();
inline const QColor handMadeBackground(0x20, 0x40, 0x60);
inline const QColor handMadeRed(0xCC, 0x00, 0x00);

// The same movie with its body zlib-compressed behind a "CWS" header.
QByteArray compressedCopy(const QByteArray& plain);

// Reads the movie (failing the test if it cannot) and draws the given frame at the movie's own
// size, or at size when one is given.
QImage renderFrame(const QByteArray& file, int frame = 0, QSize size = {});
QImage render(const movie::MoviePlayer& player, QSize size);

// Whether two colours differ by at most tolerance in every channel (edges are smoothed).
bool near(QColor actual, QColor expected, int tolerance = 2);

} // namespace bannertest
