#include "movie/Stage.h"

namespace movie {

namespace {

qint64 costOf(const Placed& object, const std::vector<Shape>& shapes) {
    return 1 + (object.shape >= 0 ? shapes[size_t(object.shape)].edges : 0);
}

} // namespace

void Stage::clear() {
    placed.clear();
    edges = 0;
}

void Stage::put(quint16 depth, const Placed& object, const std::vector<Shape>& shapes) {
    take(depth, shapes);
    placed[depth] = object;
    edges += costOf(object, shapes);
}

void Stage::take(quint16 depth, const std::vector<Shape>& shapes) {
    const auto found = placed.find(depth);
    if (found == placed.end())
        return;
    edges -= costOf(found->second, shapes);
    placed.erase(found);
}

bool Stage::apply(const DisplayOp& op, const std::vector<Shape>& shapes) {
    const auto found = placed.find(op.depth);
    const bool occupied = found != placed.end();
    if (op.remove) {
        take(op.depth, shapes);
        return occupied;
    }
    if (!op.hasCharacter && (!op.move || !occupied))
        return false; // nothing to place and nothing to change
    // A move keeps what the change does not give; a new placement starts plain.
    Placed object = op.move && occupied ? found->second : Placed{};
    if (op.hasCharacter)
        object.shape = op.shape;
    if (op.matrix)
        object.matrix = *op.matrix;
    if (op.colour)
        object.colour = *op.colour;
    if (op.clipLayer)
        object.clipLayer = true;
    if (occupied && found->second == object)
        return false;
    put(op.depth, object, shapes);
    return true;
}

} // namespace movie
