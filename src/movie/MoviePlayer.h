#pragma once

#include "movie/Movie.h"
#include "movie/Stage.h"

class QPainter;

namespace movie {

// Plays a movie that has been read: a frame at a time, from the last frame back to the first.
class MoviePlayer {
public:
    explicit MoviePlayer(Movie movie);

    const Movie& movie() const { return film; }
    int frame() const { return current; }
    // Milliseconds between frames; 0 for a movie that shows one still picture.
    int interval() const;

    // Moves to the next frame; true when the picture changed.
    bool advance();
    void paint(QPainter& painter, const QRectF& target) const;

private:
    bool show(int frame);

    Movie film;
    Stage stage;
    int current = 0;
};

} // namespace movie
