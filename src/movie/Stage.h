#pragma once

#include "movie/Movie.h"

#include <map>

namespace movie {

struct Placed {
    int shape = -1;
    QTransform matrix;
    ColourTransform colour;
    bool clipLayer = false;

    bool operator==(const Placed&) const = default;
};

// The objects on stage, by depth (drawn from the lowest up), and what drawing them costs.
class Stage {
public:
    void clear();
    // Applies one change; true when it changed what is on stage (a placement that repeats the
    // object already there changes nothing).
    bool apply(const DisplayOp& op, const std::vector<Shape>& shapes);

    const std::map<quint16, Placed>& objects() const { return placed; }
    // Edges to draw, counting each object as one more.
    qint64 cost() const { return edges; }

private:
    void put(quint16 depth, const Placed& object, const std::vector<Shape>& shapes);
    void take(quint16 depth, const std::vector<Shape>& shapes);

    std::map<quint16, Placed> placed;
    qint64 edges = 0;
};

} // namespace movie
