#pragma once

#include "banner/Records.h"
#include "banner/ShapeEncoder.h"

#include <QByteArray>
#include <QSize>
#include <optional>

namespace bannergen {

// Writes a movie of the small format subset the banner player reads, tag by tag and frame by
// frame. Geometry is in pixels.
class MovieWriter {
public:
    MovieWriter(const QSize& frame, double frameRate, int version = 8);

    void setBackground(const QColor& colour);
    void defineShape(quint16 id, const QPainterPath& outline, const QColor& fill,
                     const std::optional<LineStyle>& line = {}, int shapeVersion = 3);
    void place(quint16 depth, quint16 id, const QTransform& matrix,
               const std::optional<ColourChange>& colour = {});
    // Changes the matrix and colour of the object at depth.
    void modify(quint16 depth, const QTransform& matrix,
                const std::optional<ColourChange>& colour = {});
    void remove(quint16 depth);
    void showFrame();
    // Any tag, for tags the subset does not name; longForm writes the 32-bit length.
    void tag(int code, const QByteArray& body, bool longForm = false);

    int frames() const { return frameCount; }
    // The finished movie, End tag included: "FWS" plain or "CWS" compressed.
    QByteArray plain() const;
    QByteArray compressed() const;

private:
    QByteArray body() const;

    QSize frame;
    double frameRate;
    int version;
    int frameCount = 0;
    QByteArray tags;
};

} // namespace bannergen
