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
    findChanges();
}

void MoviePlayer::findChanges() {
    // Every loop starts again from an empty stage, so one loop tells them all. It ends where
    // the movie starts, on its first frame.
    changes.assign(film.frames.size(), false);
    show(0);
    for (size_t frame = 1; frame < changes.size(); ++frame)
        changes[frame] = show(int(frame));
    if (!changes.empty())
        changes[0] = show(0);
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
    if (frame == 0) {
        // The loop starts again from an empty stage; the picture changes only when the first
        // frame does not put back what the last one showed.
        const std::map<quint16, Placed> last = stage.objects();
        stage.clear();
        for (const DisplayOp& op : film.frames[0])
            stage.apply(op, film.shapes);
        current = 0;
        return stage.objects() != last;
    }
    bool changed = false;
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

int MoviePlayer::framesToChange() const {
    const int count = int(film.frames.size());
    for (int ahead = 1; ahead <= count; ++ahead)
        if (changes[size_t((current + ahead) % count)])
            return ahead;
    return 0;
}

int MoviePlayer::pictureFrame() const {
    const int count = int(film.frames.size());
    for (int back = 0; back < count; ++back) {
        const int frame = (current - back + count) % count;
        if (changes[size_t(frame)])
            return frame;
    }
    return 0;
}

void MoviePlayer::paint(QPainter& painter, const QRectF& target) const {
    paintStage(painter, film, stage, target);
}

} // namespace movie
