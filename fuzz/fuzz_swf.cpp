// Feeds arbitrary bytes to the banner movie reader, and draws the first frames (and one loop
// back to the start) of every input it accepts.
#include "movie/MoviePlayer.h"
#include "movie/MovieReader.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    movie::Movie movie;
    QString error;
    if (!movie::readMovie(file, movie, error))
        return 0;
    const int frames = int(std::min<size_t>(movie.frames.size(), 4)) + 1;
    movie::MoviePlayer player(std::move(movie));
    QImage image(48, 12, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < frames; ++i) {
        QPainter painter(&image);
        player.paint(painter, QRectF(image.rect()));
        painter.end();
        player.advance();
    }
    return 0;
}
