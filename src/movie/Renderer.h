#pragma once

#include "movie/Movie.h"
#include "movie/Stage.h"

class QPainter;

namespace movie {

// Draws what is on stage into target: the background fills all of it, and the movie's frame is
// scaled to fit inside it, kept in proportion and centred.
void paintStage(QPainter& painter, const Movie& movie, const Stage& stage, const QRectF& target);

} // namespace movie
