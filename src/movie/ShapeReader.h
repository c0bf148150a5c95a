#pragma once

#include "movie/BitReader.h"

#include <QColor>
#include <QString>
#include <vector>

namespace movie {

struct Point {
    qint64 x = 0, y = 0; // twips
    bool operator==(const Point&) const = default;
};

// One edge of a shape with the styles on its two sides and of its line; style numbers count
// from 1 across all style arrays of the shape, 0 is none.
struct Edge {
    Point from, control, to;
    bool curved = false;
    int fill0 = 0, fill1 = 0, line = 0;
};

struct LineStyle {
    double width = 0; // twips
    QColor colour;
};

// A shape as its definition lists it: styles and edges, not yet paths.
struct ShapeOutline {
    quint16 id = 0;
    std::vector<QColor> fills; // style n is fills[n - 1]; a fill this player cannot paint is
                               // transparent
    std::vector<LineStyle> lines;
    std::vector<Edge> edges;
};

// Reads the body of a DefineShape (version 1), DefineShape2 or DefineShape3 tag. edgeBudget is
// what remains of the movie's allowance of edges; the shape's edges are taken from it.
bool readShape(BitReader& in, int version, int& edgeBudget, ShapeOutline& out, QString& error);

} // namespace movie
