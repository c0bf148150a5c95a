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

    // Frames from this one to the next that changes the picture, at most a loop; 0 when no frame
    // ever changes it (a still, however many frames it has).
    int framesToChange() const;
    // The frame that put the picture this frame shows on stage: frames that change nothing show
    // the picture of the last one that did, so that one picture has one name.
    int pictureFrame() const;

private:
    bool show(int frame);
    void findChanges();

    Movie film;
    Stage stage;
    int current = 0;
    std::vector<bool> changes; // by frame: whether showing it after the one before changes the
                               // picture (frame 0 after the last)
};

} // namespace movie
