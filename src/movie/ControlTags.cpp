#include "movie/ControlTags.h"

#include "movie/Records.h"

namespace movie {

namespace {

enum PlaceFlag : quint8 {
    Move = 0x01,
    HasCharacter = 0x02,
    HasMatrix = 0x04,
    HasColourTransform = 0x08,
    HasRatio = 0x10,
    HasName = 0x20,
    HasClipDepth = 0x40,
};

void skipString(BitReader& in) {
    while (in.ok() && in.u8() != 0) {
    }
}

} // namespace

bool readPlaceObject2(BitReader& in, const Characters& characters, DisplayOp& op) {
    const quint8 flags = in.u8();
    op.depth = in.u16();
    op.move = flags & Move;
    if (flags & HasCharacter) {
        op.hasCharacter = true;
        const auto found = characters.find(in.u16());
        op.shape = found == characters.end() ? -1 : found->second;
    }
    if (flags & HasMatrix)
        op.matrix = readMatrix(in);
    if (flags & HasColourTransform)
        op.colour = readColourTransform(in, true);
    if (flags & HasRatio)
        in.u16();
    if (flags & HasName)
        skipString(in);
    if (flags & HasClipDepth) {
        in.u16();
        op.clipLayer = true;
    }
    // Clip actions, if any, belong to sprites and are not read.
    return in.ok();
}

bool readRemoveObject2(BitReader& in, DisplayOp& op) {
    op.remove = true;
    op.depth = in.u16();
    return in.ok();
}

} // namespace movie
