#include "platform/BannerPlayer.h"

namespace platform {

BannerPlayer::BannerPlayer(QWidget* parent) : QWidget(parent) {}

void BannerPlayer::setMovie(const QString& path) {
    // Playing the movie comes later; until then the banner stays empty.
    moviePath = path;
}

} // namespace platform
