#pragma once

#include "banner/BitWriter.h"

#include <QColor>
#include <QRectF>
#include <QTransform>

namespace bannergen {

// A colour change for a placed object: channels are multiplied (256 is 1) and then offset.
struct ColourChange {
    int multiply[4] = {256, 256, 256, 256}; // red, green, blue, alpha
    int add[4] = {0, 0, 0, 0};

    static ColourChange alpha(int multiply) {
        ColourChange change;
        change.multiply[3] = multiply;
        return change;
    }
};

// Geometry is given in pixels and written in twips (20 to the pixel).
void writeRect(BitWriter& out, const QRectF& pixels);
void writeMatrix(BitWriter& out, const QTransform& pixels);
void writeColourChange(BitWriter& out, const ColourChange& change);
void writeColour(BitWriter& out, const QColor& colour, bool withAlpha);

} // namespace bannergen
