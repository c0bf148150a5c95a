// How the banner player shows its movie: each picture drawn once and kept within a bound, a
// wake-up only for the frames that change the picture, and a movie judged by what its frames
// cost over many frames, on a machine whose every core is busy too.
#include "Fixtures.h"
#include "banner/BannerMovie.h"
#include "movie/MovieReader.h"
#include "ui/BannerPlayer.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

using namespace bannertest;

namespace {

const QSize strip(bannergen::bannerWidth, bannergen::bannerHeight);

movie::MoviePlayer playerOf(const QByteArray& file) {
    movie::Movie movie;
    QString error;
    if (!movie::readMovie(file, movie, error))
        qFatal("the movie cannot be read: %s", qPrintable(error));
    return movie::MoviePlayer(std::move(movie));
}

// The bytes of one kept picture of the banner at its size and pixel ratio.
qsizetype pictureBytes(const ui::BannerPlayer& banner) {
    const QSize pixels = banner.size() * banner.devicePixelRatioF();
    return qsizetype(pixels.width()) * pixels.height() * 4;
}

QImage shown(ui::BannerPlayer& banner) {
    return banner.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour the banner shows at a point of its own.
QColor colourAt(ui::BannerPlayer& banner, QPoint point) {
    const QImage image = shown(banner);
    return image.pixelColor((QPointF(point) * image.devicePixelRatio()).toPoint());
}

// A star of crossing edges over the whole strip, just within the edges one frame may draw: tens
// of milliseconds to draw, several times the banner's budget.
QPainterPath star() {
    const int points = 1990;
    QPainterPath path(QPointF(0, 12));
    for (int i = 1; i < points; ++i)
        path.lineTo(QPointF((i * 97) % 193, (i * 13) % 25));
    path.closeSubpath();
    return path;
}

// A movie of the strip's size whose first slow frames each show the star a pixel further on, a
// picture of its own, and whose other frames move a small box.
QByteArray slowMovie(int frames, int slow) {
    bannergen::MovieWriter movie(strip, bannergen::bannerFrameRate);
    movie.defineShape(1, star(), QColor(0x20, 0x40, 0x60), bannergen::LineStyle{1, Qt::white});
    QPainterPath box;
    box.addRect(0, 0, 10, 10);
    movie.defineShape(2, box, Qt::red);
    for (int frame = 0; frame < frames; ++frame) {
        const QTransform at = QTransform::fromTranslate(frame, 5);
        if (frame == 0 && slow > 0)
            movie.place(1, 1, at);
        else if (frame < slow)
            movie.modify(1, at);
        else if (frame == slow) {
            if (slow > 0)
                movie.remove(1);
            movie.place(2, 2, at);
        } else
            movie.modify(2, at);
        movie.showFrame();
    }
    return movie.plain();
}

// A box that moves once a second at 30 frames a second. Every other frame moves it to where it
// already stands, as many movies do, which changes nothing.
QByteArray heldMovie() {
    bannergen::MovieWriter movie(QSize(100, 50), 30);
    movie.setBackground(handMadeBackground);
    QPainterPath box;
    box.addRect(0, 0, 20, 20);
    movie.defineShape(1, box, handMadeRed);
    movie.place(1, 1, QTransform::fromTranslate(10, 15));
    for (int frame = 0; frame < 60; ++frame) {
        if (frame > 0)
            movie.modify(1, QTransform::fromTranslate(frame < 30 ? 10 : 70, 15));
        movie.showFrame();
    }
    return movie.plain();
}

// Every core of the machine kept busy for as long as it lives.
class BusyCores {
public:
    BusyCores() {
        for (int core = 0; core < QThread::idealThreadCount(); ++core)
            threads.emplace_back([this] {
                volatile double sink = 1;
                while (!stop.load(std::memory_order_relaxed))
                    sink = sink * 1.0000001 + 1e-9;
            });
    }
    ~BusyCores() {
        stop = true;
        for (std::thread& thread : threads)
            thread.join();
    }
    BusyCores(const BusyCores&) = delete;
    BusyCores& operator=(const BusyCores&) = delete;

private:
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
};

} // namespace

class BannerPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void heldFramesShowTheSamePicture();
    void heldFramesAreNamedByTheirPicture_data();
    void heldFramesAreNamedByTheirPicture();
    void keptPicturesEqualDrawnOnes_data();
    void keptPicturesEqualDrawnOnes();
    void resizeLetsThePicturesGo();
    void cacheHoldsItsBound();
    void wakesOnlyForFramesThatChangeThePicture();
    void hiddenBannerKeepsItsPlace();
    void movieIsJudgedOverManyFrames_data();
    void movieIsJudgedOverManyFrames();

private:
    QString write(const QString& name, const QByteArray& movie);

    bannergen::MovieWriter banner{QSize(1, 1), 1};
    QTemporaryDir dir;
    QString bannerPath;
};

void BannerPlayerTest::initTestCase() {
    banner = bannergen::bannerMovie();
    bannerPath = write(QStringLiteral("quil.swf"), banner.compressed());
}

QString BannerPlayerTest::write(const QString& name, const QByteArray& movie) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(movie) != movie.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The frames the player skips really show what the frame before them showed: a change missed
// here would leave the banner behind its movie.
void BannerPlayerTest::heldFramesShowTheSamePicture() {
    movie::MoviePlayer player = playerOf(banner.compressed());
    QImage before = render(player, strip);
    for (int frame = 1; frame <= banner.frames(); ++frame) {
        const bool held = player.framesToChange() > 1;
        player.advance();
        const QImage now = render(player, strip);
        if (held)
            QVERIFY2(now == before, qPrintable(QStringLiteral("frame %1").arg(player.frame())));
        before = now;
    }
}

void BannerPlayerTest::heldFramesAreNamedByTheirPicture_data() {
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("toChange");
    QTest::addColumn<int>("picture");
    // Two frames a keystroke, six a blink, one a step of the fade, six of pause.
    QTest::newRow("the caret alone") << 0 << 2 << 0;
    QTest::newRow("between keystrokes") << 3 << 1 << 2;
    QTest::newRow("the caret hidden") << 38 << 4 << 36;
    QTest::newRow("fading") << 86 << 1 << 86;
    QTest::newRow("the pause before the loop") << 95 << 3 << 92;
}

void BannerPlayerTest::heldFramesAreNamedByTheirPicture() {
    QFETCH(int, frame);
    QFETCH(int, toChange);
    QFETCH(int, picture);
    movie::MoviePlayer player = playerOf(banner.compressed());
    for (int i = 0; i < frame; ++i)
        player.advance();
    QCOMPARE(player.framesToChange(), toChange);
    QCOMPARE(player.pictureFrame(), picture);
}

void BannerPlayerTest::keptPicturesEqualDrawnOnes_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("the strip") << strip;
    QTest::newRow("twice the strip") << strip * 2;
    QTest::newRow("another shape: the movie is centred") << QSize(150, 40);
}

// Two loops of a banner that keeps its pictures against one that draws every frame: the first
// loop draws into the kept pictures, the second shows them.
void BannerPlayerTest::keptPicturesEqualDrawnOnes() {
    QFETCH(QSize, size);
    ui::BannerPlayer drawn, kept;
    drawn.setFrameCacheLimit(0);
    for (ui::BannerPlayer* player : {&drawn, &kept}) {
        player->resize(size);
        player->setMovie(bannerPath);
    }
    for (int loop = 0; loop < 2; ++loop)
        for (int frame = 0; frame < banner.frames(); ++frame) {
            const qsizetype bytes = kept.frameCacheBytes();
            QCOMPARE(shown(kept), shown(drawn));
            if (loop == 1)
                QCOMPARE(kept.frameCacheBytes(), bytes); // shown from what was kept
            drawn.nextFrame();
            kept.nextFrame();
        }
    QCOMPARE(drawn.frameCacheBytes(), 0);
    QVERIFY(kept.frameCacheBytes() > 0);
}

void BannerPlayerTest::resizeLetsThePicturesGo() {
    ui::BannerPlayer drawn, kept;
    drawn.setFrameCacheLimit(0);
    kept.resize(strip);
    kept.setMovie(bannerPath);
    for (int frame = 0; frame < banner.frames(); ++frame, kept.nextFrame())
        kept.grab();
    QVERIFY(kept.frameCacheBytes() > 10 * pictureBytes(kept));
    for (int frame = 0; frame < 44; ++frame)
        kept.nextFrame(); // the whole title and its caret

    const QSize wider(300, 30);
    kept.resize(wider);
    drawn.resize(wider);
    drawn.setMovie(bannerPath);
    for (int frame = 0; frame < 44; ++frame)
        drawn.nextFrame();
    QCOMPARE(shown(kept), shown(drawn));
    QCOMPARE(kept.frameCacheBytes(), pictureBytes(kept)); // that one picture
}

// Pictures of ten times the strip, almost 2 MB each: the real movie's would pass the bound four
// pictures in. The rest are drawn every time they show, and drawn right.
void BannerPlayerTest::cacheHoldsItsBound() {
    ui::BannerPlayer drawn, kept;
    drawn.setFrameCacheLimit(0);
    for (ui::BannerPlayer* player : {&drawn, &kept}) {
        player->resize(strip * 10);
        player->setMovie(bannerPath);
    }
    const qsizetype picture = pictureBytes(kept);
    for (int loop = 0; loop < 2; ++loop)
        for (int frame = 0; frame < banner.frames(); ++frame) {
            if (frame % 10 == 0)
                QCOMPARE(shown(kept), shown(drawn));
            else
                kept.grab();
            QVERIFY(kept.frameCacheBytes() <= ui::FrameCache::defaultLimit);
            drawn.nextFrame();
            kept.nextFrame();
        }
    QCOMPARE(kept.frameCacheBytes(), ui::FrameCache::defaultLimit / picture * picture);
    QVERIFY2(kept.isPlaying(), qPrintable(kept.problem()));
}

// The box moves at frame 30 of 60: the banner sleeps for thirty frames at a time, and meanwhile
// counts the frames that pass.
void BannerPlayerTest::wakesOnlyForFramesThatChangeThePicture() {
    ui::BannerPlayer banner;
    banner.resize(100, 50);
    banner.setMovie(write(QStringLiteral("held.swf"), heldMovie()));
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    const int thirtyFrames = 30 * 33;
    QCOMPARE(banner.frameTimer()->interval(), thirtyFrames);
    QVERIFY(near(colourAt(banner, {20, 25}), handMadeRed));

    QSignalSpy woken(banner.frameTimer(), &QTimer::timeout);
    QVERIFY(woken.wait(5000));
    const int atWake = banner.frame();
    QVERIFY2(atWake >= 30 && atWake < 60, qPrintable(QString::number(atWake)));
    QCOMPARE(banner.frameTimer()->interval(), thirtyFrames); // to the first frame again
    QVERIFY(near(colourAt(banner, {80, 25}), handMadeRed));
    QVERIFY(near(colourAt(banner, {20, 25}), handMadeBackground));

    QTest::qWait(300); // about nine frames
    QCOMPARE(woken.count(), 1);
    QVERIFY2(banner.frame() > atWake, qPrintable(QString::number(banner.frame())));
}

// Hidden while its picture holds, the banner stays at the frame the movie had reached; shown
// again, it waits only for the frames left before the change.
void BannerPlayerTest::hiddenBannerKeepsItsPlace() {
    ui::BannerPlayer banner;
    banner.resize(100, 50);
    banner.setMovie(write(QStringLiteral("held.swf"), heldMovie()));
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    QTest::qWait(300);
    banner.hide();
    const int reached = banner.frame();
    QVERIFY2(reached > 0 && reached < 30, qPrintable(QString::number(reached)));
    QTest::qWait(100);
    QCOMPARE(banner.frame(), reached);

    banner.show();
    QCOMPARE(banner.frameTimer()->interval(), (30 - reached) * 33);
}

void BannerPlayerTest::movieIsJudgedOverManyFrames_data() {
    QTest::addColumn<QByteArray>("movie");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("plays");
    QTest::newRow("the banner") << banner.compressed() << strip << true;
    // At half as large again as the strip each slow frame takes tenths of a second to draw:
    // together they would pass the budget, spread over the frames judged with them.
    QTest::newRow("a quarter of the frames judged together slow")
        << slowMovie(32, ui::FrameCost::window / 4) << strip * 3 / 2 << true;
    QTest::newRow("every frame slow") << slowMovie(24, 24) << strip << false;
}

// With every core busy, a loop or two of the movie, painted frame by frame. A few slow frames
// never empty the banner; a movie slow frame after frame still does, with its reason in the log.
void BannerPlayerTest::movieIsJudgedOverManyFrames() {
    QFETCH(QByteArray, movie);
    QFETCH(QSize, size);
    QFETCH(bool, plays);
    const QString path = write(QStringLiteral("judged.swf"), movie);
    ui::BannerPlayer banner;
    banner.resize(size);
    banner.setMovie(path);
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    if (!plays)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral(
                                 "^The banner movie .*judged\\.swf cannot be played: a frame takes "
                                 "[0-9.]+ ms to draw$")));

    BusyCores busy;
    const int frames = int(playerOf(movie).movie().frames.size());
    int painted = 0;
    for (; painted < 2 * frames && banner.isPlaying(); ++painted) {
        banner.repaint();
        banner.nextFrame();
        if (painted == 0)
            QVERIFY2(banner.isPlaying(), "one slow frame stopped the movie");
    }
    QCOMPARE(banner.isPlaying(), plays);
    QCOMPARE(banner.frameTimer()->isActive(), plays);
    if (plays)
        QVERIFY2(banner.problem().isEmpty(), qPrintable(banner.problem()));
    else
        QVERIFY2(painted <= ui::FrameCost::window, qPrintable(QString::number(painted)));
}

QTEST_MAIN(BannerPlayerTest)
#include "tst_bannerplayer.moc"
