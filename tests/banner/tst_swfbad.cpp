// Damaged and hostile movie files: each is refused with a reason, quickly and without a crash,
// and the banner stays empty.
#include "Fixtures.h"
#include "banner/MovieWriter.h"
#include "movie/Limits.h"
#include "movie/MovieReader.h"
#include "ui/BannerPlayer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace bannertest;
namespace limits = movie::limits;

namespace {

QByteArray le32(quint32 v) {
    return QByteArray(1, char(v)) + char(v >> 8) + char(v >> 16) + char(v >> 24);
}

QByteArray withLength(QByteArray movie, quint32 length) {
    return movie.replace(4, 4, le32(length));
}

QByteArray noise(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

// A one-frame movie around one raw tag.
QByteArray aroundTag(int code, const QByteArray& body) {
    bannergen::MovieWriter movie(QSize(10, 10), 12);
    movie.tag(code, body);
    movie.showFrame();
    return movie.plain();
}

QByteArray tooManyEdges() {
    QPainterPath zigzag;
    for (int i = 0; i <= limits::edges; ++i)
        zigzag.lineTo(i % 2, i * 0.05);
    bannergen::MovieWriter movie(QSize(10, 10), 12);
    movie.defineShape(1, zigzag, Qt::black);
    movie.showFrame();
    return movie.plain();
}

QByteArray placedTimes(int times, int edgesPerShape) {
    QPainterPath shape;
    for (int i = 0; i < edgesPerShape; ++i)
        shape.lineTo(i % 2, i * 0.05 + 1);
    bannergen::MovieWriter movie(QSize(10, 10), 12);
    movie.defineShape(1, shape, Qt::black);
    for (int depth = 1; depth <= times; ++depth)
        movie.place(quint16(depth), 1, QTransform());
    movie.showFrame();
    return movie.plain();
}

QByteArray repeated(int times, const std::function<void(bannergen::MovieWriter&)>& step) {
    bannergen::MovieWriter movie(QSize(10, 10), 12);
    for (int i = 0; i < times; ++i)
        step(movie);
    movie.showFrame();
    return movie.plain();
}

} // namespace

class SwfBadFileTest : public QObject {
    Q_OBJECT
private slots:
    void truncatedAtEveryByteIsRefused_data();
    void truncatedAtEveryByteIsRefused();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void bannerStaysEmpty_data();
    void bannerStaysEmpty();
    void badMovieAfterAGoodOneEmptiesTheBanner();
    void movieTooSlowToDrawEmptiesTheBanner();
};

void SwfBadFileTest::truncatedAtEveryByteIsRefused_data() {
    QTest::addColumn<QByteArray>("movie");
    QTest::newRow("plain") << handMadeMovie();
    QTest::newRow("compressed") << compressedCopy(handMadeMovie());
}

void SwfBadFileTest::truncatedAtEveryByteIsRefused() {
    QFETCH(QByteArray, movie);
    for (int size = 0; size < movie.size(); ++size) {
        movie::Movie read;
        QString error;
        QVERIFY2(!movie::readMovie(movie.left(size), read, error),
                 qPrintable(QStringLiteral("cut at %1 bytes").arg(size)));
        QVERIFY(!error.isEmpty());
        QVERIFY(read.frames.empty());
    }
}

void SwfBadFileTest::hostileFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    const QByteArray good = handMadeMovie();
    const QByteArray body = good.mid(8);

    QTest::newRow("empty") << QByteArray() << "too short";
    QTest::newRow("signature only") << QByteArray("FWS") << "too short";
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "not a movie";
    QTest::newRow("LZMA compression") << QByteArray("ZWS\x0d").append(body) << "LZMA";
    QTest::newRow("noise behind a good header")
        << QByteArray("FWS\x08").append(le32(8 + 4096)).append(noise(4096, 7)) << "";
    QTest::newRow("length of 4 GiB") << withLength(good, 0xFFFFFFFF) << "too large";
    QTest::newRow("length inside the header") << withLength(good, 4) << "too small";

    QByteArray damaged = compressedCopy(good);
    for (int i = 20; i < 30; ++i)
        damaged[i] = char(damaged[i] ^ 0x5A);
    QTest::newRow("damaged compressed stream") << damaged << "compressed movie";
    // Ten megabytes of zeros behind a header that promises 87 bytes.
    const QByteArray bomb = QByteArray("CWS\x08").append(le32(87)).append(
        qCompress(body + QByteArray(10 << 20, '\0'), 9).mid(4));
    QTest::newRow("stream longer than its header") << bomb << "longer than its header";
    QTest::newRow("stream shorter than its header")
        << withLength(compressedCopy(good), 1000) << "shorter than its header";

    QByteArray pastTheEnd = good;
    pastTheEnd[24] = char(0xBE); // DefineShape's length 31 becomes 62
    QTest::newRow("tag past the end") << pastTheEnd << "past the end";
    QByteArray hugeTag = good;
    hugeTag.replace(hugeTag.indexOf("abc") - 4, 4, le32(0xFFFFFFF0));
    QTest::newRow("long tag of 4 GiB") << hugeTag << "past the end";

    const QByteArray shapeBody = good.mid(26, 31);
    QTest::newRow("shape records cut short") << aroundTag(2, shapeBody.left(27)) << "cut short";
    QTest::newRow("65535 fill styles")
        << aroundTag(32, QByteArray("\x01\x00\x00\xFF\xFF\xFF", 6)) << "too many styles";
    QTest::newRow("unknown fill style type")
        << aroundTag(2, QByteArray("\x01\x00\x00\x01\x99", 5)) << "unknown fill style";
    QTest::newRow("style the shape does not have")
        << aroundTag(2, QByteArray("\x01\x00\x00\x00\x00\x10\x14\x10\x00", 9)) << "does not have";
    QTest::newRow("edges past the movie's allowance") << tooManyEdges() << "too many edges";
    QTest::newRow("too many objects at once")
        << placedTimes(limits::objectsOnStage + 1, 1) << "too much to draw";
    QTest::newRow("too many edges in one frame")
        << placedTimes(limits::edgesPerFrame / 1000 + 1, 1000) << "too much to draw";
    QTest::newRow("object scaled far past the frame") << repeated(1, [](auto& m) {
        QPainterPath square;
        square.addRect(0, 0, 10, 10);
        m.defineShape(1, square, Qt::black);
        m.place(1, 1, QTransform(100, 0, 0, 100, 0, 0));
    }) << "far larger than its frame";
    QPainterPath line(QPointF(2, 2));
    line.lineTo(8, 8);
    QTest::newRow("line far wider than the frame") << repeated(1, [=](auto& m) {
        m.defineShape(1, line, QColor(), bannergen::LineStyle{200, Qt::black});
        m.place(1, 1, QTransform());
    }) << "far larger than its frame";
    QTest::newRow("frames past the allowance")
        << repeated(limits::frames, [](auto& m) { m.showFrame(); }) << "too many frames";
    QTest::newRow("tags past the allowance")
        << repeated(limits::tags, [](auto& m) { m.tag(77, {}); }) << "too many tags";
    QTest::newRow("no frames") << bannergen::MovieWriter(QSize(10, 10), 12).plain() << "no frames";
    QTest::newRow("empty frame") << repeated(0, [](auto&) {}).replace(8, 1, QByteArray(1, '\0'))
                                 << "empty frame";
}

void SwfBadFileTest::hostileFilesAreRefused() {
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    movie::Movie movie;
    QString error;
    QVERIFY(!movie::readMovie(file, movie, error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(movie.frames.empty());
}

void SwfBadFileTest::bannerStaysEmpty_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("noise") << noise(2000, 11) << true;
    QTest::newRow("cut short") << handMadeMovie().left(60) << true;
    QTest::newRow("larger than a banner") << QByteArray(limits::fileBytes + 1, 'F') << true;
}

void SwfBadFileTest::bannerStaysEmpty() {
    QFETCH(QByteArray, file);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quil.swf"));
    if (exists) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    QWidget panel;
    panel.setFixedSize(193, 25);
    panel.setAutoFillBackground(true);
    ui::BannerPlayer banner(&panel);
    banner.setGeometry(panel.rect());
    panel.show();
    if (exists)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be played"));
    banner.setMovie(path);

    QVERIFY(!banner.isPlaying());
    QVERIFY(!banner.problem().isEmpty());
    QVERIFY(!banner.frameTimer()->isActive());
    QCOMPARE(banner.frame(), -1);
    banner.nextFrame(); // a stray tick does nothing
    const QImage shown = panel.grab().toImage();
    QCOMPARE(shown.pixelColor(96, 12), panel.palette().color(QPalette::Window));
}

void SwfBadFileTest::badMovieAfterAGoodOneEmptiesTheBanner() {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.swf"));
    const QString bad = dir.filePath(QStringLiteral("bad.swf"));
    QFile goodFile(good), badFile(bad);
    QVERIFY(goodFile.open(QIODevice::WriteOnly) && badFile.open(QIODevice::WriteOnly));
    goodFile.write(handMadeMovie());
    badFile.write(handMadeMovie().left(40));
    goodFile.close();
    badFile.close();

    ui::BannerPlayer banner;
    banner.resize(100, 50);
    banner.show();
    banner.setMovie(good);
    QVERIFY(banner.isPlaying());
    QVERIFY(banner.frameTimer()->isActive());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be played: the movie is cut"));
    banner.setMovie(bad);
    QVERIFY(!banner.isPlaying());
    QVERIFY(!banner.frameTimer()->isActive());
    QVERIFY(!banner.testAttribute(Qt::WA_OpaquePaintEvent));
}

void SwfBadFileTest::movieTooSlowToDrawEmptiesTheBanner() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quil.swf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(handMadeMovie());
    file.close();

    ui::BannerPlayer banner;
    banner.resize(100, 50);
    banner.setMovie(path);
    banner.show();
    QVERIFY(banner.frameTimer()->isActive());
    banner.setSlowFrameLimit(0); // every frame is too slow now
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be played: a frame takes"));
    for (int shown = 0; shown < ui::FrameCost::window && banner.isPlaying(); ++shown)
        banner.grab(); // the movie is judged over many frames, not by one
    QVERIFY(!banner.isPlaying());
    QVERIFY(!banner.frameTimer()->isActive());
    QVERIFY(banner.problem().contains(QStringLiteral("to draw")));
}

QTEST_MAIN(SwfBadFileTest)
#include "tst_swfbad.moc"
