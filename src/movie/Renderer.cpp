#include "movie/Renderer.h"

#include <QPainter>
#include <algorithm>

namespace movie {

namespace {

QTransform frameToTarget(const QRectF& frame, const QRectF& target) {
    const double scale = std::min(target.width() / frame.width(), target.height() / frame.height());
    const QPointF offset =
        target.center() - QPointF(frame.center().x() * scale, frame.center().y() * scale);
    return QTransform(scale, 0, 0, scale, offset.x(), offset.y());
}

void paintShape(QPainter& painter, const Shape& shape, const ColourTransform& colour) {
    painter.setPen(Qt::NoPen);
    for (const FilledPath& fill : shape.fills) {
        painter.setBrush(colour.apply(fill.colour));
        painter.drawPath(fill.path);
    }
    painter.setBrush(Qt::NoBrush);
    for (const StrokedPath& stroke : shape.strokes) {
        QPen pen(colour.apply(stroke.colour), stroke.width, Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
        painter.setPen(pen);
        painter.drawPath(stroke.path);
    }
}

} // namespace

void paintStage(QPainter& painter, const Movie& movie, const Stage& stage, const QRectF& target) {
    painter.save();
    painter.fillRect(target, movie.background);
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    const QTransform view = frameToTarget(movie.frameRect, target) * painter.transform();
    for (const auto& [depth, object] : stage.objects()) {
        if (object.shape < 0 || object.clipLayer)
            continue;
        painter.setTransform(object.matrix * view);
        paintShape(painter, movie.shapes[size_t(object.shape)], object.colour);
    }
    painter.restore();
}

} // namespace movie
