#include "banner/Records.h"

#include <algorithm>
#include <cmath>

namespace bannergen {

namespace {

qint32 twips(double pixels) {
    return qint32(std::lround(pixels * 20));
}
qint32 fixed16(double value) {
    return qint32(std::lround(value * 65536));
}

int widest(std::initializer_list<qint64> values) {
    int bits = 1;
    for (qint64 v : values)
        bits = std::max(bits, signedBits(v));
    return bits;
}

} // namespace

void writeRect(BitWriter& out, const QRectF& pixels) {
    const qint32 v[4] = {twips(pixels.left()), twips(pixels.right()), twips(pixels.top()),
                         twips(pixels.bottom())};
    const int bits = widest({v[0], v[1], v[2], v[3]});
    out.align();
    out.ub(quint32(bits), 5);
    for (qint32 value : v)
        out.sb(value, bits);
    out.align();
}

void writeMatrix(BitWriter& out, const QTransform& m) {
    out.align();
    const bool scaled = m.m11() != 1 || m.m22() != 1;
    out.ub(scaled, 1);
    if (scaled) {
        const qint32 x = fixed16(m.m11()), y = fixed16(m.m22());
        const int bits = widest({x, y});
        out.ub(quint32(bits), 5);
        out.sb(x, bits);
        out.sb(y, bits);
    }
    const bool rotated = m.m12() != 0 || m.m21() != 0;
    out.ub(rotated, 1);
    if (rotated) {
        const qint32 skew0 = fixed16(m.m12()), skew1 = fixed16(m.m21());
        const int bits = widest({skew0, skew1});
        out.ub(quint32(bits), 5);
        out.sb(skew0, bits);
        out.sb(skew1, bits);
    }
    const qint32 dx = twips(m.dx()), dy = twips(m.dy());
    const int bits = dx == 0 && dy == 0 ? 0 : widest({dx, dy});
    out.ub(quint32(bits), 5);
    out.sb(dx, bits);
    out.sb(dy, bits);
    out.align();
}

void writeColourChange(BitWriter& out, const ColourChange& change) {
    out.align();
    const bool adds = std::any_of(change.add, change.add + 4, [](int v) { return v != 0; });
    const bool multiplies =
        std::any_of(change.multiply, change.multiply + 4, [](int v) { return v != 256; });
    int bits = 1;
    for (int i = 0; i < 4; ++i)
        bits = std::max({bits, multiplies ? signedBits(change.multiply[i]) : 1,
                         adds ? signedBits(change.add[i]) : 1});
    out.ub(adds, 1);
    out.ub(multiplies, 1);
    out.ub(quint32(bits), 4);
    if (multiplies)
        for (int v : change.multiply)
            out.sb(v, bits);
    if (adds)
        for (int v : change.add)
            out.sb(v, bits);
    out.align();
}

void writeColour(BitWriter& out, const QColor& colour, bool withAlpha) {
    out.u8(colour.red());
    out.u8(colour.green());
    out.u8(colour.blue());
    if (withAlpha)
        out.u8(colour.alpha());
}

} // namespace bannergen
