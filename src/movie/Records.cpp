#include "movie/Records.h"

#include <algorithm>

namespace movie {

QColor ColourTransform::apply(const QColor& colour) const {
    const int in[4] = {colour.red(), colour.green(), colour.blue(), colour.alpha()};
    int out[4];
    for (int i = 0; i < 4; ++i)
        out[i] = int(std::clamp<qint64>(qint64(in[i]) * multiply[i] / 256 + add[i], 0, 255));
    return QColor(out[0], out[1], out[2], out[3]);
}

QRectF readRect(BitReader& in) {
    in.align();
    const int bits = int(in.ub(5));
    const double xMin = in.sb(bits);
    const double xMax = in.sb(bits);
    const double yMin = in.sb(bits);
    const double yMax = in.sb(bits);
    in.align();
    return QRectF(QPointF(xMin, yMin), QPointF(xMax, yMax));
}

QTransform readMatrix(BitReader& in) {
    in.align();
    double scaleX = 1, scaleY = 1, skew0 = 0, skew1 = 0;
    if (in.ub(1)) {
        const int bits = int(in.ub(5));
        scaleX = in.fb(bits);
        scaleY = in.fb(bits);
    }
    if (in.ub(1)) {
        const int bits = int(in.ub(5));
        skew0 = in.fb(bits);
        skew1 = in.fb(bits);
    }
    const int bits = int(in.ub(5));
    const double dx = in.sb(bits);
    const double dy = in.sb(bits);
    in.align();
    return QTransform(scaleX, skew0, skew1, scaleY, dx, dy);
}

ColourTransform readColourTransform(BitReader& in, bool withAlpha) {
    in.align();
    ColourTransform transform;
    const bool hasAdd = in.ub(1);
    const bool hasMultiply = in.ub(1);
    const int bits = int(in.ub(4));
    const int channels = withAlpha ? 4 : 3;
    if (hasMultiply)
        for (int i = 0; i < channels; ++i)
            transform.multiply[i] = in.sb(bits);
    if (hasAdd)
        for (int i = 0; i < channels; ++i)
            transform.add[i] = in.sb(bits);
    in.align();
    return transform;
}

QColor readRgb(BitReader& in) {
    const int r = in.u8();
    const int g = in.u8();
    const int b = in.u8();
    return QColor(r, g, b);
}

QColor readRgba(BitReader& in) {
    const int r = in.u8();
    const int g = in.u8();
    const int b = in.u8();
    const int a = in.u8();
    return QColor(r, g, b, a);
}

} // namespace movie
