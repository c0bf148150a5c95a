// Reading and drawing movies: a hand-made fixture, and small movies from the writer that the
// banner generator uses.
#include "Fixtures.h"
#include "banner/MovieWriter.h"
#include "movie/MovieReader.h"

#include <QTest>
#include <functional>

using namespace bannertest;
using movie::Movie;
using movie::readMovie;

namespace {

using Scene = std::function<void(bannergen::MovieWriter&)>;

const QColor paper(0xF0, 0xF0, 0xE0);
const QColor ink(0x10, 0x60, 0x30);

// A 40 x 20 pixel movie on paper-coloured ground whose only frame is made by scene.
QByteArray oneFrame(const Scene& scene) {
    bannergen::MovieWriter movie(QSize(40, 20), 12);
    movie.setBackground(paper);
    scene(movie);
    movie.showFrame();
    return movie.plain();
}

QPainterPath box(double x, double y, double w, double h) {
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

// Shape 1 made of outline, placed where it stands.
Scene placed(const QPainterPath& outline, const QColor& fill,
             const std::optional<bannergen::LineStyle>& line = {}, int version = 3) {
    return [=](bannergen::MovieWriter& movie) {
        movie.defineShape(1, outline, fill, line, version);
        movie.place(1, 1, QTransform());
    };
}

} // namespace

Q_DECLARE_METATYPE(Scene)

class SwfReadTest : public QObject {
    Q_OBJECT
private slots:
    void readsTheHeaderAndEveryTag();
    void compressedCopyDrawsTheSameFirstFrame();
    void framesShowBackgroundAndShape_data();
    void framesShowBackgroundAndShape();
    void loopsBackToTheFirstFrame();
    void drawsWhatTheWriterWrote_data();
    void drawsWhatTheWriterWrote();
};

void SwfReadTest::readsTheHeaderAndEveryTag() {
    Movie movie;
    QString error;
    QVERIFY2(readMovie(handMadeMovie(), movie, error), qPrintable(error));
    QCOMPARE(movie.signature, 'F');
    QCOMPARE(movie.version, 8);
    QCOMPARE(movie.frameRect, QRectF(0, 0, 2000, 1000));
    QCOMPARE(movie.frameRate, 12.0);
    QCOMPARE(movie.declaredFrames, 2);
    QCOMPARE(movie.tagCodes, (std::vector<int>{9, 2, 26, 1, 77, 28, 1, 0}));
    QCOMPARE(movie.background, handMadeBackground);
    QCOMPARE(movie.shapes.size(), size_t(1));
    QCOMPARE(movie.frames.size(), size_t(2));
    QCOMPARE(movie.frames[0].size(), size_t(1));
    QCOMPARE(movie.frames[0][0].matrix->dx(), 600.0);
    QVERIFY(movie.frames[1][0].remove);
}

void SwfReadTest::compressedCopyDrawsTheSameFirstFrame() {
    const QByteArray compressed = compressedCopy(handMadeMovie());
    Movie movie;
    QString error;
    QVERIFY2(readMovie(compressed, movie, error), qPrintable(error));
    QCOMPARE(movie.signature, 'C');
    QCOMPARE(renderFrame(compressed), renderFrame(handMadeMovie()));
}

void SwfReadTest::framesShowBackgroundAndShape_data() {
    QTest::addColumn<int>("frame");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    // The box covers x 30..70 and y 15..35; its curved lower edge reaches y 40 at x 50.
    QTest::newRow("corner") << 0 << QPoint(2, 2) << handMadeBackground;
    QTest::newRow("inside the box") << 0 << QPoint(50, 20) << handMadeRed;
    QTest::newRow("left of the box") << 0 << QPoint(27, 20) << handMadeBackground;
    QTest::newRow("inside the curve") << 0 << QPoint(50, 38) << handMadeRed;
    QTest::newRow("below the curve") << 0 << QPoint(50, 43) << handMadeBackground;
    QTest::newRow("beside the curve") << 0 << QPoint(32, 38) << handMadeBackground;
    QTest::newRow("removed in frame 2") << 1 << QPoint(50, 20) << handMadeBackground;
}

void SwfReadTest::framesShowBackgroundAndShape() {
    QFETCH(int, frame);
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    const QImage image = renderFrame(handMadeMovie(), frame);
    QCOMPARE(image.size(), QSize(100, 50));
    QCOMPARE(image.pixelColor(pixel), colour);
}

void SwfReadTest::loopsBackToTheFirstFrame() {
    Movie movie;
    QString error;
    QVERIFY(readMovie(handMadeMovie(), movie, error));
    movie::MoviePlayer player(std::move(movie));
    QVERIFY(player.advance()); // the box goes
    QCOMPARE(player.frame(), 1);
    QVERIFY(player.advance()); // and comes back
    QCOMPARE(player.frame(), 0);
    QCOMPARE(render(player, QSize(100, 50)).pixelColor(50, 20), handMadeRed);
}

void SwfReadTest::drawsWhatTheWriterWrote_data() {
    QTest::addColumn<Scene>("scene");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    for (int version : {1, 2, 3})
        QTest::addRow("DefineShape version %d", version)
            << placed(box(10, 5, 20, 10), ink, {}, version) << QPoint(20, 10) << ink;
    QPainterPath counterClockwise(QPointF(10, 5));
    counterClockwise.lineTo(10, 15);
    counterClockwise.lineTo(30, 15);
    counterClockwise.lineTo(30, 5);
    counterClockwise.closeSubpath();
    QTest::newRow("fill on the left of the edges")
        << placed(counterClockwise, ink) << QPoint(20, 10) << ink;
    const QPainterPath ring = box(5, 2, 30, 16).subtracted(box(15, 7, 10, 6));
    QTest::newRow("hole in a shape") << placed(ring, ink) << QPoint(20, 10) << paper;
    QTest::newRow("ring around the hole") << placed(ring, ink) << QPoint(8, 10) << ink;
    QPainterPath stroke(QPointF(2, 10));
    stroke.lineTo(38, 10);
    QTest::newRow("line style") << placed(stroke, QColor(), bannergen::LineStyle{4, ink})
                                << QPoint(20, 11) << ink;
    QPainterPath vee(QPointF(2, 2));
    vee.lineTo(20, 18);
    vee.lineTo(38, 2);
    QTest::newRow("open line stays open")
        << placed(vee, QColor(), bannergen::LineStyle{2, ink}) << QPoint(20, 2) << paper;
    QTest::newRow("translucent fill") << placed(box(10, 5, 20, 10), QColor(0, 0, 0, 128))
                                      << QPoint(20, 10) << QColor(0x78, 0x78, 0x70);

    QTest::newRow("matrix moves and scales") << Scene([](auto& m) {
        m.defineShape(1, box(0, 0, 2, 2), ink);
        m.place(1, 1, QTransform(5, 0, 0, 5, 20, 10));
    }) << QPoint(28, 18) << ink;
    QTest::newRow("colour transform") << Scene([](auto& m) {
        bannergen::ColourChange red;
        red.multiply[0] = red.multiply[1] = red.multiply[2] = 0;
        red.add[0] = 255;
        m.defineShape(1, box(10, 5, 20, 10), ink);
        m.place(1, 1, QTransform(), red);
    }) << QPoint(20, 10) << QColor(Qt::red);
    QTest::newRow("higher depth on top") << Scene([](auto& m) {
        m.defineShape(1, box(10, 5, 20, 10), ink);
        m.defineShape(2, box(15, 0, 10, 20), Qt::blue);
        m.place(2, 2, QTransform());
        m.place(1, 1, QTransform());
    }) << QPoint(20, 10) << QColor(Qt::blue);
    QTest::newRow("modified object moves") << Scene([](auto& m) {
        m.defineShape(1, box(0, 0, 5, 5), ink);
        m.place(1, 1, QTransform());
        m.modify(1, QTransform::fromTranslate(30, 10));
    }) << QPoint(2, 2) << paper;
}

void SwfReadTest::drawsWhatTheWriterWrote() {
    QFETCH(Scene, scene);
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    const QImage image = renderFrame(oneFrame(scene));
    QVERIFY2(near(image.pixelColor(pixel), colour),
             qPrintable(image.pixelColor(pixel).name(QColor::HexArgb)));
}

QTEST_MAIN(SwfReadTest)
#include "tst_swfread.moc"
