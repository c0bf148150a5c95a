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
    connect(timer, &QTimer::timeout, this, &BannerPlayer::nextFrame);
}

BannerPlayer::~BannerPlayer() = default;

int BannerPlayer::frame() const {
    return player ? player->frame() : -1;
}

void BannerPlayer::setMovie(const QString& path) {
    moviePath = path;
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
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    update();
}

void BannerPlayer::resume() {
    if (player && player->interval() > 0 && isVisible())
        timer->start(player->interval());
}

void BannerPlayer::nextFrame() {
    if (player && player->advance())
        update();
}

void BannerPlayer::paintEvent(QPaintEvent*) {
    if (!player)
        return;
    const double start = threadCpuMilliseconds();
    {
        QPainter painter(this);
        player->paint(painter, rect());
    }
    const double spent = threadCpuMilliseconds() - start;
    if (spent > frameBudget())
        refuse(QStringLiteral("a frame takes %1 ms to draw").arg(spent, 0, 'f', 1));
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
    timer->stop();
}

} // namespace ui
