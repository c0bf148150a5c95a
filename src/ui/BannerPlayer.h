#pragma once

#include "ui/FrameCache.h"
#include "ui/FrameCost.h"

#include <QWidget>
#include <memory>

class QTimer;

namespace movie {
class MoviePlayer;
}

namespace ui {

// The banner movie player of the bottom strip. It is given the movie's path and plays the
// movie in a loop, filling its panel; a missing or unplayable movie leaves the banner empty,
// and so does anything but a regular file in its place (a FIFO, say), which is never read.
// Frames are drawn on the window's event thread, and only while the banner is visible: each
// picture is drawn once at the banner's size and kept for later loops, and the banner wakes only
// for the frames that change its picture.
class BannerPlayer : public QWidget {
    Q_OBJECT
public:
    explicit BannerPlayer(QWidget* parent = nullptr);
    ~BannerPlayer() override;

    void setMovie(const QString& path);
    QString movie() const { return moviePath; }

    // Whether a movie is loaded and showing; false leaves the banner empty.
    bool isPlaying() const { return player != nullptr; }
    // Why the movie could not be played; empty while it plays.
    QString problem() const { return why; }
    // Where the movie is, counting the frames that pass while the picture holds.
    int frame() const;
    // Wakes the banner for the next frame that changes its picture.
    QTimer* frameTimer() const { return timer; }
    // A movie whose frames take longer than this to show (or than an eighth of the time between
    // frames), frame after frame, is stopped: the window comes first. One slow frame now and then
    // is not. The banner's frames take under 0.1 ms, and a few microseconds from the cache.
    void setSlowFrameLimit(double milliseconds) { slowFrameMs = milliseconds; }
    // The bytes the kept pictures may take (FrameCache::defaultLimit), and those they take.
    void setFrameCacheLimit(qsizetype bytes) { pictures.setLimit(bytes); }
    qsizetype frameCacheBytes() const { return pictures.bytes(); }

public slots:
    // Moves the movie on one frame.
    void nextFrame();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void resume();
    void waitForChange();
    void showNextChange();
    int framesPassed() const;
    void catchUp();
    void showPicture(QPainter& painter);
    void judge(double milliseconds);
    void refuse(const QString& reason);
    void leaveEmpty(const QString& reason);
    double frameBudget() const;

    QString moviePath;
    QString why;
    double slowFrameMs = 10;
    std::unique_ptr<movie::MoviePlayer> player;
    QTimer* timer;
    FrameCache pictures;
    FrameCost cost;
};

} // namespace ui
