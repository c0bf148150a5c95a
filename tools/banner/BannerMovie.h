#pragma once

#include "banner/MovieWriter.h"

namespace bannergen {

// The program's banner for the 193 x 25 pixel strip at the bottom left of the main window: the
// title typed letter by letter behind a caret, held while the caret blinks, faded out, and
// begun again. It needs a running QGuiApplication for the font outlines.
MovieWriter bannerMovie();

inline constexpr int bannerWidth = 193;
inline constexpr int bannerHeight = 25;
inline constexpr double bannerFrameRate = 12;
inline const QColor bannerBackground(0x2E, 0x40, 0x57); // slate blue
inline const QColor bannerInk(0xF2, 0xEA, 0xD3);        // cream
inline const QColor bannerCaret(0xE8, 0xB0, 0x4B);      // amber

} // namespace bannergen
