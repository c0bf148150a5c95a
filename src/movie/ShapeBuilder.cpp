#include "movie/ShapeBuilder.h"

#include <unordered_map>

namespace movie {

namespace {

struct PointHash {
    size_t operator()(const Point& p) const {
        return std::hash<qint64>()(p.x) ^ (std::hash<qint64>()(p.y) * 0x9E3779B97F4A7C15ull);
    }
};

QPointF toPointF(const Point& p) {
    return QPointF(double(p.x), double(p.y));
}

bool isEmpty(const Edge& e) {
    return e.from == e.to && (!e.curved || e.control == e.from);
}

Edge reversed(const Edge& e) {
    Edge r = e;
    r.from = e.to;
    r.to = e.from;
    return r;
}

void addEdge(QPainterPath& path, const Edge& e) {
    if (e.curved)
        path.quadTo(toPointF(e.control), toPointF(e.to));
    else
        path.lineTo(toPointF(e.to));
}

// Joins edges end to start into outlines. Each point keeps a stack of the edges that start
// there, and an edge leaves its stack once used, so the joining takes time in proportion to the
// number of edges, however many share a point.
QPainterPath joinOutlines(const std::vector<Edge>& edges) {
    std::unordered_map<Point, std::vector<int>, PointHash> startingAt;
    for (int i = 0; i < int(edges.size()); ++i)
        startingAt[edges[i].from].push_back(i);
    std::vector<char> used(edges.size(), 0);
    auto nextFrom = [&](const Point& p) -> int {
        auto found = startingAt.find(p);
        if (found == startingAt.end())
            return -1;
        std::vector<int>& stack = found->second;
        while (!stack.empty() && used[stack.back()])
            stack.pop_back();
        return stack.empty() ? -1 : stack.back();
    };

    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int first = 0; first < int(edges.size()); ++first) {
        if (used[first])
            continue;
        const Point start = edges[first].from;
        path.moveTo(toPointF(start));
        for (int e = first; e >= 0; e = nextFrom(edges[e].to)) {
            used[e] = 1;
            addEdge(path, edges[e]);
            if (edges[e].to == start)
                break;
        }
        path.closeSubpath();
    }
    return path;
}

QPainterPath joinStrokes(const std::vector<Edge>& edges) {
    QPainterPath path;
    bool open = false;
    Point end;
    for (const Edge& e : edges) {
        if (!open || !(e.from == end))
            path.moveTo(toPointF(e.from));
        addEdge(path, e);
        open = true;
        end = e.to;
    }
    return path;
}

} // namespace

Shape buildShape(const ShapeOutline& outline) {
    std::vector<std::vector<Edge>> byFill(outline.fills.size() + 1);
    std::vector<std::vector<Edge>> byLine(outline.lines.size() + 1);
    Shape shape;
    for (const Edge& e : outline.edges) {
        if (isEmpty(e))
            continue;
        if (e.fill1)
            byFill[e.fill1].push_back(e);
        if (e.fill0)
            byFill[e.fill0].push_back(reversed(e));
        if (e.line)
            byLine[e.line].push_back(e);
        ++shape.edges;
    }
    for (size_t f = 1; f < byFill.size(); ++f)
        if (!byFill[f].empty() && outline.fills[f - 1].alpha() > 0)
            shape.fills.push_back({joinOutlines(byFill[f]), outline.fills[f - 1]});
    for (size_t l = 1; l < byLine.size(); ++l)
        if (!byLine[l].empty())
            shape.strokes.push_back(
                {joinStrokes(byLine[l]), outline.lines[l - 1].colour, outline.lines[l - 1].width});
    for (const FilledPath& fill : shape.fills)
        shape.bounds |= fill.path.boundingRect();
    for (const StrokedPath& stroke : shape.strokes) {
        const double half = stroke.width / 2;
        shape.bounds |= stroke.path.boundingRect().adjusted(-half, -half, half, half);
    }
    return shape;
}

} // namespace movie
