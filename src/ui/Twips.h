#pragma once

#include <QRect>
#include <QSize>
#include <QtMath>

// Geometry is written in twips; the screen has 15 twips to a pixel at 96 dpi (Qt's device
// pixel ratio takes care of denser screens).
constexpr int twips(int t) {
    return (t + (t >= 0 ? 7 : -7)) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline QSize twipsSize(int width, int height) {
    return QSize(twips(width), twips(height));
}
