#pragma once

#include <QColor>
#include <QPainterPath>
#include <optional>

namespace bannergen {

struct LineStyle {
    double width = 1; // pixels
    QColor colour;
};

// The body of a DefineShape tag (version 1, 2 or 3) for an outline given in pixels: one solid
// fill (none when fill is invalid) and at most one line style. Cubic curves become pairs of
// quadratic ones. The outline is filled by the even-odd rule: each contour gets its fill on the
// side where the filled ground lies.
QByteArray encodeShape(quint16 id, const QPainterPath& outline, const QColor& fill,
                       const std::optional<LineStyle>& line, int version);

} // namespace bannergen
