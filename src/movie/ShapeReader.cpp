#include "movie/ShapeReader.h"

#include "movie/Records.h"
#include "movie/ShapeStyles.h"

namespace movie {

namespace {

// Where the shape records stand: the pen, the current styles, and which part of the shape's
// style list the style numbers of the records count in (new styles start a new part).
struct Pen {
    Point at;
    int fill0 = 0, fill1 = 0, line = 0;
    int fillBase = 0, fillCount = 0, lineBase = 0, lineCount = 0;
    int fillBits = 0, lineBits = 0;
};

bool mapStyle(quint32 number, int base, int count, int& style, QString& error) {
    if (number > quint32(count)) {
        error = QStringLiteral("a shape record names a style the shape does not have");
        return false;
    }
    style = number == 0 ? 0 : base + int(number);
    return true;
}

void startStyleGroup(Pen& pen, const ShapeOutline& shape, int fillsBefore, int linesBefore,
                     BitReader& in) {
    pen.fillBase = fillsBefore;
    pen.fillCount = int(shape.fills.size()) - fillsBefore;
    pen.lineBase = linesBefore;
    pen.lineCount = int(shape.lines.size()) - linesBefore;
    pen.fillBits = int(in.ub(4));
    pen.lineBits = int(in.ub(4));
}

// A style-change record after its five flags (not all zero).
bool readStyleChange(BitReader& in, quint32 flags, int version, ShapeOutline& shape, Pen& pen,
                     QString& error) {
    if (flags & 0x01) {
        const int bits = int(in.ub(5));
        pen.at.x = in.sb(bits);
        pen.at.y = in.sb(bits);
    }
    const bool hasFill0 = flags & 0x02, hasFill1 = flags & 0x04, hasLine = flags & 0x08;
    const quint32 fill0 = hasFill0 ? in.ub(pen.fillBits) : 0;
    const quint32 fill1 = hasFill1 ? in.ub(pen.fillBits) : 0;
    const quint32 line = hasLine ? in.ub(pen.lineBits) : 0;
    if ((flags & 0x10) && version >= 2) {
        // The new styles replace the old ones; numbers in this record already count in them.
        const int fillsBefore = int(shape.fills.size());
        const int linesBefore = int(shape.lines.size());
        in.align();
        if (!readStyleArrays(in, version, shape, error))
            return false;
        startStyleGroup(pen, shape, fillsBefore, linesBefore, in);
        pen.fill0 = pen.fill1 = pen.line = 0;
    }
    return (!hasFill0 || mapStyle(fill0, pen.fillBase, pen.fillCount, pen.fill0, error)) &&
           (!hasFill1 || mapStyle(fill1, pen.fillBase, pen.fillCount, pen.fill1, error)) &&
           (!hasLine || mapStyle(line, pen.lineBase, pen.lineCount, pen.line, error));
}

// An edge record after its type bit; the pen moves to the edge's end.
Edge readEdge(BitReader& in, Pen& pen) {
    Edge edge;
    edge.from = pen.at;
    edge.fill0 = pen.fill0;
    edge.fill1 = pen.fill1;
    edge.line = pen.line;
    const bool straight = in.ub(1);
    const int bits = int(in.ub(4)) + 2;
    if (straight) {
        qint64 dx = 0, dy = 0;
        if (in.ub(1)) {
            dx = in.sb(bits);
            dy = in.sb(bits);
        } else if (in.ub(1)) {
            dy = in.sb(bits);
        } else {
            dx = in.sb(bits);
        }
        edge.to = {pen.at.x + dx, pen.at.y + dy};
        edge.control = edge.to;
    } else {
        edge.curved = true;
        edge.control.x = pen.at.x + in.sb(bits);
        edge.control.y = pen.at.y + in.sb(bits);
        edge.to.x = edge.control.x + in.sb(bits);
        edge.to.y = edge.control.y + in.sb(bits);
    }
    pen.at = edge.to;
    return edge;
}

bool readRecords(BitReader& in, int version, int& edgeBudget, ShapeOutline& shape, Pen& pen,
                 QString& error) {
    // A read past the end gives zeros, which read as the end record: the loop always ends.
    for (;;) {
        if (in.ub(1) == 0) {
            const quint32 flags = in.ub(5);
            if (flags == 0)
                break;
            if (!readStyleChange(in, flags, version, shape, pen, error))
                return false;
            continue;
        }
        if (--edgeBudget < 0) {
            error = QStringLiteral("the movie's shapes have too many edges");
            return false;
        }
        const Edge edge = readEdge(in, pen);
        if (edge.fill0 || edge.fill1 || edge.line)
            shape.edges.push_back(edge);
    }
    if (!in.ok()) {
        error = QStringLiteral("a shape's records are cut short");
        return false;
    }
    return true;
}

} // namespace

bool readShape(BitReader& in, int version, int& edgeBudget, ShapeOutline& out, QString& error) {
    out.id = in.u16();
    readRect(in); // the bounds; the edges say the same
    if (!readStyleArrays(in, version, out, error))
        return false;
    Pen pen;
    startStyleGroup(pen, out, 0, 0, in);
    return readRecords(in, version, edgeBudget, out, pen, error);
}

} // namespace movie
