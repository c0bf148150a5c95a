#include "banner/ShapeEncoder.h"

#include "banner/BitWriter.h"
#include "banner/Records.h"

#include <QPolygonF>
#include <cmath>
#include <vector>

namespace bannergen {

namespace {

struct TwipPoint {
    qint64 x = 0, y = 0;
    bool operator==(const TwipPoint&) const = default;
};

TwipPoint twips(const QPointF& p) {
    return {std::llround(p.x() * 20), std::llround(p.y() * 20)};
}

// Edge fields hold at most 17 bits; longer edges are written in pieces.
bool fits(qint64 delta) {
    return signedBits(delta) <= 17;
}

class RecordWriter {
public:
    RecordWriter(BitWriter& out, int fillBits, int lineBits, bool hasLine)
        : out(out), fillBits(fillBits), lineBits(lineBits), hasLine(hasLine) {}

    // Starts an outline with its fill on the right of its edges (side 1) or on the left (0).
    void moveTo(const QPointF& p, int fillSide);
    void lineTo(const QPointF& p) { line(twips(p)); }
    void quadTo(const QPointF& control, const QPointF& end);
    void close();
    void end() { out.ub(0, 6); }

private:
    void line(const TwipPoint& to);
    void curve(const TwipPoint& control, const TwipPoint& to);

    BitWriter& out;
    int fillBits, lineBits;
    bool hasLine;
    bool lineSet = false;
    TwipPoint at, start;
};

void RecordWriter::moveTo(const QPointF& p, int fillSide) {
    close();
    at = start = twips(p);
    // Each outline names both fill sides; the line style, set once, holds for the whole shape.
    const bool fills = fillBits > 0;
    const bool lineStyle = !lineSet && hasLine;
    out.ub(0, 1);
    out.ub(0, 1); // no new styles
    out.ub(lineStyle, 1);
    out.ub(fills, 1);
    out.ub(fills, 1);
    out.ub(1, 1); // move to
    const int bits = std::max(signedBits(at.x), signedBits(at.y));
    out.ub(quint32(bits), 5);
    out.sb(qint32(at.x), bits);
    out.sb(qint32(at.y), bits);
    if (fills) {
        out.ub(fillSide == 0, fillBits);
        out.ub(fillSide == 1, fillBits);
    }
    if (lineStyle)
        out.ub(1, lineBits);
    lineSet = true;
}

void RecordWriter::close() {
    // A filled outline must come back to its start; a line alone may stay open.
    if (fillBits > 0 && !(at == start))
        line(start);
}

void RecordWriter::line(const TwipPoint& to) {
    const qint64 dx = to.x - at.x, dy = to.y - at.y;
    if (dx == 0 && dy == 0)
        return;
    if (!fits(dx) || !fits(dy)) {
        line({at.x + dx / 2, at.y + dy / 2});
        line(to);
        return;
    }
    const int bits = std::max({signedBits(dx), signedBits(dy), 2});
    out.ub(1, 1); // edge
    out.ub(1, 1); // straight
    out.ub(quint32(bits - 2), 4);
    if (dx != 0 && dy != 0) {
        out.ub(1, 1); // general line
        out.sb(qint32(dx), bits);
        out.sb(qint32(dy), bits);
    } else {
        out.ub(0, 1);
        out.ub(dx == 0, 1); // vertical
        out.sb(qint32(dx == 0 ? dy : dx), bits);
    }
    at = to;
}

void RecordWriter::quadTo(const QPointF& control, const QPointF& end) {
    curve(twips(control), twips(end));
}

void RecordWriter::curve(const TwipPoint& control, const TwipPoint& to) {
    const qint64 cx = control.x - at.x, cy = control.y - at.y;
    const qint64 ax = to.x - control.x, ay = to.y - control.y;
    if (cx == 0 && cy == 0 && ax == 0 && ay == 0)
        return;
    if (!fits(cx) || !fits(cy) || !fits(ax) || !fits(ay)) {
        line(to);
        return;
    }
    const int bits = std::max({signedBits(cx), signedBits(cy), signedBits(ax), signedBits(ay), 2});
    out.ub(1, 1); // edge
    out.ub(0, 1); // curved
    out.ub(quint32(bits - 2), 4);
    out.sb(qint32(cx), bits);
    out.sb(qint32(cy), bits);
    out.sb(qint32(ax), bits);
    out.sb(qint32(ay), bits);
    at = to;
}

// A cubic piece as two quadratic ones, split at its middle.
void addCubic(RecordWriter& records, const QPointF& p0, const QPointF& c1, const QPointF& c2,
              const QPointF& p3) {
    const QPointF a = (p0 + c1) / 2, b = (c1 + c2) / 2, c = (c2 + p3) / 2;
    const QPointF d = (a + b) / 2, e = (b + c) / 2, mid = (d + e) / 2;
    const auto quadControl = [](QPointF q0, QPointF q1, QPointF q2, QPointF q3) {
        return (3 * (q1 + q2) - (q0 + q3)) / 4;
    };
    records.quadTo(quadControl(p0, a, d, mid), mid);
    records.quadTo(quadControl(mid, e, c, p3), p3);
}

// Twice the outline's area, positive when it turns clockwise on screen (y pointing down).
double turning(const QPolygonF& p) {
    double sum = 0;
    for (int k = 0; k < p.size(); ++k) {
        const QPointF& a = p[k];
        const QPointF& b = p[(k + 1) % p.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum;
}

// The side each outline has its fill on. An outline inside an even number of others bounds
// filled ground on its inside, one inside an odd number bounds a hole; its inside is on its
// right when it turns clockwise on screen (y pointing down).
std::vector<int> fillSides(const QPainterPath& path) {
    const QList<QPolygonF> outlines = path.toSubpathPolygons();
    std::vector<int> sides;
    for (int i = 0; i < outlines.size(); ++i) {
        int depth = 0;
        for (int j = 0; j < outlines.size(); ++j)
            if (j != i && !outlines[i].isEmpty() &&
                outlines[j].containsPoint(outlines[i].first(), Qt::OddEvenFill))
                ++depth;
        const bool insideOnRight = turning(outlines[i]) >= 0;
        sides.push_back(insideOnRight == (depth % 2 == 0) ? 1 : 0);
    }
    return sides;
}

void addPath(RecordWriter& records, const QPainterPath& path) {
    const std::vector<int> sides = fillSides(path);
    size_t outline = 0;
    QPointF current;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.isMoveTo()) {
            records.moveTo(element, outline < sides.size() ? sides[outline] : 1);
            ++outline;
        } else if (element.isLineTo()) {
            records.lineTo(element);
        } else if (element.isCurveTo() && i + 2 < path.elementCount()) {
            addCubic(records, current, element, path.elementAt(i + 1), path.elementAt(i + 2));
            i += 2;
        }
        current = path.elementAt(i);
    }
    records.close();
    records.end();
}

} // namespace

QByteArray encodeShape(quint16 id, const QPainterPath& outline, const QColor& fill,
                       const std::optional<LineStyle>& line, int version) {
    BitWriter out;
    out.u16(id);
    const double margin = line ? line->width / 2 : 0;
    writeRect(out, outline.boundingRect().adjusted(-margin, -margin, margin, margin));
    out.u8(fill.isValid() ? 1 : 0);
    if (fill.isValid()) {
        out.u8(0x00); // solid
        writeColour(out, fill, version >= 3);
    }
    out.u8(line ? 1 : 0);
    if (line) {
        out.u16(int(std::lround(line->width * 20)));
        writeColour(out, line->colour, version >= 3);
    }
    const int fillBits = fill.isValid() ? 1 : 0, lineBits = line ? 1 : 0;
    out.ub(quint32(fillBits), 4);
    out.ub(quint32(lineBits), 4);
    RecordWriter records(out, fillBits, lineBits, bool(line));
    addPath(records, outline);
    return out.data();
}

} // namespace bannergen
