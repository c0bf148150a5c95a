#include "ui/BannerPlayer.h"

#include "movie/Limits.h"
#include "movie/MoviePlayer.h"
#include "movie/MovieReader.h"
#include "platform/RegularFile.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <ctime>

namespace ui {

namespace {

// Checks the movie read from its file; nullptr with the reason when it cannot be played.
std::unique_ptr<movie::MoviePlayer> playerOf(const QByteArray& file, QString& error) {
    movie::Movie movie;
    if (!movie::readMovie(file, movie, error))
        return nullptr;
    return std::make_unique<movie::MoviePlayer>(std::move(movie));
}

// CPU time of this thread: unlike the wall clock, a busy machine does not stretch it.
double threadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

BannerPlayer::BannerPlayer(QWidget* parent) : QWidget(parent), timer(new QTimer(this)) {
    timer->setObjectName(QStringLiteral("frameTimer"));
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &BannerPlayer::showNextChange);
}

BannerPlayer::~BannerPlayer() = default;

int BannerPlayer::frame() const {
    if (!player)
        return -1;
    return (player->frame() + framesPassed()) % int(player->movie().frames.size());
}

void BannerPlayer::setMovie(const QString& path) {
    moviePath = path;
    pictures.clear();
    cost.clear();
    QByteArray file;
    QString error;
    switch (platform::readRegularFile(path, movie::limits::fileBytes, &file, &error)) {
    case platform::FileRead::Missing:
        // Without its movie the banner simply stays empty.
        leaveEmpty(QStringLiteral("there is no movie at %1").arg(path));
        return;
    case platform::FileRead::Refused:
        refuse(error);
        return;
    case platform::FileRead::Read:
        break;
    }
    player = playerOf(file, error);
    if (!player) {
        refuse(error);
        return;
    }
    why.clear();
    // A playing movie paints every pixel of the banner: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    timer->stop();
    resume();
    update();
}

void BannerPlayer::refuse(const QString& reason) {
    // The banner is decoration: the program goes on without it, and the log says why.
    qWarning("The banner movie %s cannot be played: %s", qPrintable(moviePath), qPrintable(reason));
    leaveEmpty(reason);
}

void BannerPlayer::leaveEmpty(const QString& reason) {
    why = reason;
    timer->stop();
    player.reset();
    pictures.clear();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    update();
}

void BannerPlayer::resume() {
    if (player && player->interval() > 0 && isVisible())
        waitForChange();
}

void BannerPlayer::waitForChange() {
    // The frames between show the same picture: one wake-up covers them all.
    const int frames = player->framesToChange();
    if (frames > 0)
        timer->start(frames * player->interval());
    else
        timer->stop(); // a still: nothing left to show
}

void BannerPlayer::showNextChange() {
    if (!player)
        return;
    bool changed = false;
    for (int frames = player->framesToChange(); frames > 0; --frames)
        changed = player->advance() || changed;
    if (changed)
        update();
    waitForChange();
}

int BannerPlayer::framesPassed() const {
    // While the banner waits for its next change, the movie goes on through the frames before it.
    if (!timer->isActive())
        return 0;
    const int interval = player->interval();
    const int waited = (timer->interval() - std::max(timer->remainingTime(), 0)) / interval;
    return std::min(waited, timer->interval() / interval - 1);
}

void BannerPlayer::catchUp() {
    // None of these frames changes the picture.
    for (int frames = framesPassed(); frames > 0; --frames)
        player->advance();
}

void BannerPlayer::nextFrame() {
    if (!player)
        return;
    const bool waiting = timer->isActive();
    catchUp();
    if (player->advance())
        update();
    if (waiting)
        waitForChange();
}

void BannerPlayer::paintEvent(QPaintEvent*) {
    if (!player)
        return;
    const double start = threadCpuMilliseconds();
    {
        QPainter painter(this);
        showPicture(painter);
    }
    judge(threadCpuMilliseconds() - start);
}

void BannerPlayer::showPicture(QPainter& painter) {
    const int key = player->pictureFrame();
    const qreal ratio = devicePixelRatioF();
    if (const QImage* kept = pictures.find(key, size(), ratio)) {
        painter.drawImage(QPointF(0, 0), *kept);
        return;
    }
    QImage picture = pictures.blank(size(), ratio);
    if (picture.isNull()) {
        player->paint(painter, rect()); // past the cache's bound: drawn every time it shows
        return;
    }
    {
        QPainter onPicture(&picture);
        player->paint(onPicture, rect());
    }
    painter.drawImage(QPointF(0, 0), picture);
    pictures.keep(key, picture);
}

void BannerPlayer::judge(double milliseconds) {
    cost.add(milliseconds);
    const double typical = cost.typical();
    if (typical > frameBudget())
        refuse(QStringLiteral("a frame takes %1 ms to draw").arg(typical, 0, 'f', 1));
}

double BannerPlayer::frameBudget() const {
    // An eighth of the time between frames: drawing never takes more of the window's time.
    const int interval = player ? player->interval() : 0;
    return interval > 0 ? std::min(slowFrameMs, interval / 8.0) : slowFrameMs;
}

void BannerPlayer::showEvent(QShowEvent*) {
    resume();
}

void BannerPlayer::hideEvent(QHideEvent*) {
    if (player)
        catchUp();
    timer->stop();
}

} // namespace ui
