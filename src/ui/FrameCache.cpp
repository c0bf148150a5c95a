#include "ui/FrameCache.h"

namespace ui {

namespace {

QSize pixelsOf(QSize size, qreal ratio) {
    // As the window's own pictures of a widget are sized.
    return size * ratio;
}

} // namespace

const QImage* FrameCache::find(int key, QSize size, qreal ratio) {
    if (size != pictureSize || ratio != pictureRatio) {
        clear();
        pictureSize = size;
        pictureRatio = ratio;
        return nullptr;
    }
    const auto found = pictures.constFind(key);
    return found == pictures.constEnd() ? nullptr : &*found;
}

QImage FrameCache::blank(QSize size, qreal ratio) const {
    const QSize pixels = pixelsOf(size, ratio);
    if (pixels.isEmpty() || qsizetype(pixels.width()) * pixels.height() * 4 > limit - used)
        return {};
    QImage picture(pixels, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

void FrameCache::keep(int key, const QImage& picture) {
    if (picture.isNull() || picture.sizeInBytes() > limit - used || pictures.contains(key))
        return;
    pictures.insert(key, picture);
    used += picture.sizeInBytes();
}

void FrameCache::clear() {
    pictures.clear();
    used = 0;
}

void FrameCache::setLimit(qsizetype bytes) {
    limit = bytes;
    clear();
}

} // namespace ui
