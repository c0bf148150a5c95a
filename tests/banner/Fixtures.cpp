#include "Fixtures.h"

#include "movie/MovieReader.h"

#include <QPainter>
#include <QTest>
#include <cstdlib>

namespace bannertest {

QByteArray handMadeMovie() {
    // clang-format off
    static const unsigned char bytes[] = {
        'F', 'W', 'S', 8, 0x57, 0x00, 0x00, 0x00, // plain, version 8, 87 bytes in all
        // frame 0..2000 x 0..1000 twips: 12-bit fields
        0x60, 0x00, 0x3E, 0x80, 0x00, 0x1F, 0x40,
        0x00, 0x0C, // 12.0 frames a second
        0x02, 0x00, // two frames
        // SetBackgroundColor (9), 3 bytes
        0x43, 0x02, 0x20, 0x40, 0x60,
        // DefineShape (2), 31 bytes: id 1, bounds 0..800 x 0..600 (11-bit fields)
        0x9F, 0x00, 0x01, 0x00, 0x58, 0x00, 0x64, 0x00, 0x01, 0x2C, 0x00,
        0x01, 0x00, 0xCC, 0x00, 0x00, // one fill style: solid red
        0x00,                         // no line styles
        0x10,                         // 1 fill bit, 0 line bits
        // records: move to (0,0) with fill 1 on the right; right 800; down 400; curve
        // through (400,600) to (0,400); up 400; end
        0x14, 0x1E, 0x46, 0x41, 0xC2, 0xC8, 0x51, 0x38, 0x19, 0x13, 0x86, 0x71, 0xC3, 0x38, 0x00,
        // PlaceObject2 (26), 9 bytes: character and matrix, depth 1, character 1, moved by
        // (600, 300) twips
        0x89, 0x06, 0x06, 0x01, 0x00, 0x01, 0x00, 0x16, 0x96, 0x09, 0x60,
        0x40, 0x00, // ShowFrame
        // tag 77 in the long form, 3 bytes: skipped by its length
        0x7F, 0x13, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c',
        0x02, 0x07, 0x01, 0x00, // RemoveObject2 (28): depth 1
        0x40, 0x00,             // ShowFrame
        0x00, 0x00,             // End
    };
    // clang-format on
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

QByteArray compressedCopy(const QByteArray& plain) {
    // qCompress gives four bytes of length, then the zlib stream.
    return QByteArray("CWS") + plain.mid(3, 5) + qCompress(plain.mid(8), 9).mid(4);
}

QImage render(const movie::MoviePlayer& player, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    player.paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QImage renderFrame(const QByteArray& file, int frame, QSize size) {
    movie::Movie movie;
    QString error;
    if (!movie::readMovie(file, movie, error)) {
        QTest::qFail(qPrintable(QStringLiteral("the movie cannot be read: ") + error), __FILE__,
                     __LINE__);
        return {};
    }
    if (size.isEmpty())
        size = (movie.frameRect.size() / 20).toSize();
    movie::MoviePlayer player(std::move(movie));
    for (int i = 0; i < frame; ++i)
        player.advance();
    return render(player, size);
}

bool near(QColor actual, QColor expected, int tolerance) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance &&
           std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

} // namespace bannertest
