#pragma once

#include <QHash>
#include <QImage>

namespace ui {

// The banner's pictures as they were drawn, for one size and pixel ratio of the strip, so that a
// later loop shows each one again without drawing a shape. Bounded in bytes: a picture that would
// pass the bound is not kept, and is drawn each time it shows, as if there were no cache.
class FrameCache {
public:
    // 8 MiB. The real banner keeps 35 pictures of 193 x 25 pixels, 0.7 MB (2.7 MB at twice the
    // pixel ratio); far larger strips or movies draw what does not fit.
    static constexpr qsizetype defaultLimit = qsizetype(8) << 20;

    // The picture kept as key at this size and ratio; nullptr when there is none. Pictures of
    // another size or ratio are let go first: they would never show again.
    const QImage* find(int key, QSize size, qreal ratio);
    // A picture to draw into at that size and ratio, its background unpainted; a null image when
    // keeping it would pass the bound.
    QImage blank(QSize size, qreal ratio) const;
    // Keeps a picture made by blank() at the size and ratio last looked for.
    void keep(int key, const QImage& picture);
    void clear();

    qsizetype bytes() const { return used; }
    // Lowering the bound lets every picture go.
    void setLimit(qsizetype bytes);

private:
    QHash<int, QImage> pictures;
    QSize pictureSize;
    qreal pictureRatio = 0;
    qsizetype used = 0;
    qsizetype limit = defaultLimit;
};

} // namespace ui
