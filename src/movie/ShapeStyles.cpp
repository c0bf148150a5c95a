#include "movie/ShapeStyles.h"

#include "movie/Limits.h"
#include "movie/Records.h"

namespace movie {

namespace {

QColor readColour(BitReader& in, int version) {
    return version >= 3 ? readRgba(in) : readRgb(in);
}

// A gradient is painted as the mean of its colours: the banner needs only solid fills, and a
// flat colour keeps such a shape recognisable.
QColor readGradient(BitReader& in, int version, bool focal) {
    readMatrix(in);
    in.align();
    in.ub(2); // spread mode
    in.ub(2); // interpolation mode
    const int count = int(in.ub(4));
    int sum[4] = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i) {
        in.u8(); // ratio
        const QColor colour = readColour(in, version);
        sum[0] += colour.red();
        sum[1] += colour.green();
        sum[2] += colour.blue();
        sum[3] += colour.alpha();
    }
    if (focal)
        in.u16();
    if (count == 0)
        return Qt::transparent;
    return QColor(sum[0] / count, sum[1] / count, sum[2] / count, sum[3] / count);
}

bool readFillStyle(BitReader& in, int version, QColor& colour, QString& error) {
    const int type = in.u8();
    switch (type) {
    case 0x00:
        colour = readColour(in, version);
        return true;
    case 0x10:
    case 0x12:
    case 0x13:
        colour = readGradient(in, version, type == 0x13);
        return true;
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
        in.u16(); // bitmap
        readMatrix(in);
        colour = Qt::transparent;
        return true;
    default:
        error = QStringLiteral("a shape has an unknown fill style type %1").arg(type);
        return false;
    }
}

int readCount(BitReader& in, bool extended) {
    const int count = in.u8();
    return count == 0xFF && extended ? in.u16() : count;
}

bool withinBudget(const ShapeOutline& shape, int more, QString& error) {
    if (qsizetype(shape.fills.size() + shape.lines.size()) + more <= limits::stylesPerShape)
        return true;
    error = QStringLiteral("a shape has too many styles");
    return false;
}

} // namespace

bool readStyleArrays(BitReader& in, int version, ShapeOutline& shape, QString& error) {
    const int fillCount = readCount(in, version >= 2);
    if (!withinBudget(shape, fillCount, error))
        return false;
    for (int i = 0; i < fillCount && in.ok(); ++i) {
        QColor colour;
        if (!readFillStyle(in, version, colour, error))
            return false;
        shape.fills.push_back(colour);
    }
    const int lineCount = readCount(in, true);
    if (!withinBudget(shape, lineCount, error))
        return false;
    for (int i = 0; i < lineCount && in.ok(); ++i) {
        LineStyle line;
        line.width = in.u16();
        line.colour = readColour(in, version);
        shape.lines.push_back(line);
    }
    if (!in.ok()) {
        error = QStringLiteral("a shape's styles are cut short");
        return false;
    }
    return true;
}

} // namespace movie
