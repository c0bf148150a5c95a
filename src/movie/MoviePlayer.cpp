#include "movie/MoviePlayer.h"

#include "movie/Renderer.h"

#include <algorithm>
#include <cmath>

namespace movie {

namespace {

// Faster than this would cost more than a banner is worth; slower than this is a still.
constexpr double fastestRate = 30;
constexpr double slowestInterval = 60000;

} // namespace

MoviePlayer::MoviePlayer(Movie movie) : film(std::move(movie)) {
    show(0);
}

int MoviePlayer::interval() const {
    if (film.frames.size() < 2 || film.frameRate <= 0)
        return 0;
    const double rate = std::min(film.frameRate, fastestRate);
    return int(std::lround(std::min(1000.0 / rate, slowestInterval)));
}

bool MoviePlayer::show(int frame) {
    if (frame >= int(film.frames.size()))
        return false;
    bool changed = false;
    if (frame == 0) {
        changed = !stage.objects().empty();
        stage.clear();
    }
    for (const DisplayOp& op : film.frames[size_t(frame)])
        changed = stage.apply(op, film.shapes) || changed;
    current = frame;
    return changed;
}

bool MoviePlayer::advance() {
    if (film.frames.size() < 2)
        return false;
    const int next = current + 1 < int(film.frames.size()) ? current + 1 : 0;
    return show(next);
}

void MoviePlayer::paint(QPainter& painter, const QRectF& target) const {
    paintStage(painter, film, stage, target);
}

} // namespace movie
