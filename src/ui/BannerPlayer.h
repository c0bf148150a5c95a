#pragma once

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
// Frames are drawn on the window's event thread, and only while the banner is visible.
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
    int frame() const;
    QTimer* frameTimer() const { return timer; }
    // A frame that takes longer than this to draw (or than an eighth of the time between
    // frames) stops the movie: the window comes first. The banner's frames take under 1 ms.
    void setSlowFrameLimit(double milliseconds) { slowFrameMs = milliseconds; }

public slots:
    void nextFrame();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void resume();
    void refuse(const QString& reason);
    void leaveEmpty(const QString& reason);
    double frameBudget() const;

    QString moviePath;
    QString why;
    double slowFrameMs = 10;
    std::unique_ptr<movie::MoviePlayer> player;
    QTimer* timer;
};

} // namespace ui
