#pragma once

#include "movie/Movie.h"
#include "movie/ShapeReader.h"

namespace movie {

// Turns a shape's edges into paths, once, when the movie is read: for each fill style the
// edges that bound it are joined into closed outlines (an edge with the fill on its left side
// is walked backwards, so that every outline has its fill on the same side), and for each line
// style its edges are joined into strokes.
Shape buildShape(const ShapeOutline& outline);

} // namespace movie
