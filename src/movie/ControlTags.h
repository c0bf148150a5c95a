#pragma once

#include "movie/BitReader.h"
#include "movie/Movie.h"

#include <unordered_map>

namespace movie {

// Character ids of the movie's shapes, mapped to their index in Movie::shapes.
using Characters = std::unordered_map<quint16, int>;

// The bodies of PlaceObject2 and RemoveObject2; false when the body is cut short.
bool readPlaceObject2(BitReader& in, const Characters& characters, DisplayOp& op);
bool readRemoveObject2(BitReader& in, DisplayOp& op);

} // namespace movie
