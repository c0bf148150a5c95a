#pragma once

#include "movie/ShapeReader.h"

namespace movie {

// Reads a fill style array and then a line style array, appending to the shape's styles.
bool readStyleArrays(BitReader& in, int version, ShapeOutline& shape, QString& error);

} // namespace movie
