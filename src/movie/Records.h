#pragma once

#include "movie/BitReader.h"

#include <QColor>
#include <QRectF>
#include <QTransform>

namespace movie {

// A colour change applied to everything an object draws: each channel is multiplied (8.8 fixed
// point, 256 is 1) and then offset, and the result is kept within 0 to 255.
struct ColourTransform {
    int multiply[4] = {256, 256, 256, 256}; // red, green, blue, alpha
    int add[4] = {0, 0, 0, 0};

    QColor apply(const QColor& colour) const;
    bool operator==(const ColourTransform&) const = default;
};

// A rectangle in twips, the movie's unit (20 to the pixel).
QRectF readRect(BitReader& in);
// The placement matrix of an object, with its translation in twips.
QTransform readMatrix(BitReader& in);
ColourTransform readColourTransform(BitReader& in, bool withAlpha);
QColor readRgb(BitReader& in);
QColor readRgba(BitReader& in);

} // namespace movie
