// The program's banner: the generator's movie played by the banner player, in its strip of the
// main window.
#include "Fixtures.h"
#include "InPlace.h"
#include "app/frmEntry.h"
#include "banner/BannerMovie.h"
#include "core/IdleSelector.h"
#include "movie/MovieReader.h"
#include "support/Seams.h"
#include "ui/BannerPlayer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

using namespace bannertest;

namespace {

movie::Movie read(const QByteArray& file) {
    movie::Movie movie;
    QString error;
    if (!movie::readMovie(file, movie, error))
        qFatal("the banner cannot be read: %s", qPrintable(error));
    return movie;
}

QImage frameImage(movie::MoviePlayer& player) {
    return render(player, QSize(bannergen::bannerWidth, bannergen::bannerHeight));
}

// The pixels of the title's own colour: letters drawn in full.
QRect inkBounds(const QImage& image, int* count) {
    QRect bounds;
    *count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixelColor(x, y), bannergen::bannerInk, 8)) {
                bounds |= QRect(x, y, 1, 1);
                ++*count;
            }
    return bounds;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class BannerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void bannerFitsTheStripAndLastsSomeSeconds();
    void titleIsTypedHeldAndFaded();
    void plainAndCompressedBannersAgree();
    void buildPutsTheBannerBesideTheProgram();
    void playerRunsOnlyWhileShown();
    void playerLoopsFrameByFrame();
    void mainWindowPlaysTheBanner_data();
    void mainWindowPlaysTheBanner();
    void onlyARegularFileIsRead_data();
    void onlyARegularFileIsRead();

private:
    bannergen::MovieWriter banner{QSize(1, 1), 1};
    QTemporaryDir dir;
    QString bannerPath;
};

void BannerTest::initTestCase() {
    banner = bannergen::bannerMovie();
    bannerPath = dir.filePath(QStringLiteral("quil.swf"));
    QVERIFY(writeFile(bannerPath, banner.compressed()));
}

void BannerTest::bannerFitsTheStripAndLastsSomeSeconds() {
    const movie::Movie movie = read(banner.compressed());
    QCOMPARE(movie.signature, 'C');
    QCOMPARE(movie.frameRect, QRectF(0, 0, 193 * 20, 25 * 20));
    QCOMPARE(movie.frameRate, 12.0);
    QCOMPARE(int(movie.frames.size()), banner.frames());
    QCOMPARE(movie.declaredFrames, banner.frames());
    const double seconds = movie.frames.size() / movie.frameRate;
    QVERIFY2(seconds >= 3 && seconds <= 12, qPrintable(QString::number(seconds)));
    QCOMPARE(movie.background, bannergen::bannerBackground);
}

void BannerTest::titleIsTypedHeldAndFaded() {
    movie::MoviePlayer player(read(banner.compressed()));
    std::vector<int> ink; // pixels of full letters in each frame
    QRect widest;
    for (int frame = 0; frame < banner.frames(); ++frame, player.advance()) {
        int count = 0;
        const QRect bounds = inkBounds(frameImage(player), &count);
        if (ink.empty() || count > *std::max_element(ink.begin(), ink.end()))
            widest = bounds;
        ink.push_back(count);
    }
    const auto peak = std::max_element(ink.begin(), ink.end());
    QCOMPARE(ink.front(), 0);                   // typing starts on an empty strip
    QVERIFY(std::is_sorted(ink.begin(), peak)); // letters come one after another
    QVERIFY2(std::count(peak, ink.end(), *peak) >= 24, "the whole title holds for two seconds");
    QVERIFY(std::is_sorted(peak, ink.end(), std::greater<int>())); // then fades
    QCOMPARE(ink.back(), 0); // and is gone before it starts again
    // The whole title shows across the strip, clear of its edges.
    QVERIFY2(widest.left() < 30 && widest.right() > 160, qPrintable(QDebug::toString(widest)));
    QVERIFY2(widest.top() >= 2 && widest.bottom() <= 22, qPrintable(QDebug::toString(widest)));
}

void BannerTest::plainAndCompressedBannersAgree() {
    movie::MoviePlayer plain(read(banner.plain()));
    movie::MoviePlayer compressed(read(banner.compressed()));
    for (int frame = 0; frame < banner.frames(); ++frame) {
        QCOMPARE(frameImage(compressed), frameImage(plain));
        plain.advance();
        compressed.advance();
    }
}

void BannerTest::buildPutsTheBannerBesideTheProgram() {
    QFile built(QDir(qEnvironmentVariable("QUIL_BIN_DIR")).filePath(QStringLiteral("quil.swf")));
    QVERIFY2(built.open(QIODevice::ReadOnly), qPrintable(built.fileName()));
    const movie::Movie movie = read(built.readAll());
    QCOMPARE(movie.signature, 'C');
    QCOMPARE(int(movie.frames.size()), banner.frames());
}

void BannerTest::playerRunsOnlyWhileShown() {
    QWidget panel;
    panel.setFixedSize(193, 25);
    ui::BannerPlayer player(&panel);
    player.setGeometry(panel.rect());
    player.setMovie(bannerPath);
    QVERIFY(player.isPlaying());
    QVERIFY(player.problem().isEmpty());
    QVERIFY(!player.frameTimer()->isActive()); // not shown yet

    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(player.frameTimer()->isActive());
    // 12 frames a second, and the first picture holds for two of them.
    QCOMPARE(player.frameTimer()->interval(), 2 * 83);
    QCOMPARE(panel.grab().toImage().pixelColor(2, 2), bannergen::bannerBackground);

    panel.hide();
    QVERIFY(!player.frameTimer()->isActive());
    panel.show();
    QVERIFY(player.frameTimer()->isActive());
}

void BannerTest::playerLoopsFrameByFrame() {
    ui::BannerPlayer player;
    player.setMovie(bannerPath);
    QCOMPARE(player.frame(), 0);
    player.nextFrame();
    QCOMPARE(player.frame(), 1);
    for (int i = 1; i < banner.frames(); ++i)
        player.nextFrame();
    QCOMPARE(player.frame(), 0);
}

void BannerTest::mainWindowPlaysTheBanner_data() {
    QTest::addColumn<bool>("throughALink");
    QTest::newRow("the movie") << false;
    QTest::newRow("a symbolic link to the movie") << true;
}

void BannerTest::mainWindowPlaysTheBanner() {
    QFETCH(bool, throughALink);
    quiltest::Seams seams;
    seams.createDatabase();
    const QString path = seams.folder() + QStringLiteral("/quil.swf");
    QVERIFY(throughALink ? QFile::link(bannerPath, path) : writeFile(path, banner.compressed()));
    frmEntry window;
    window.Form_Load();
    window.Timer1->stop();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY2(window.sss->isPlaying(), qPrintable(window.sss->problem()));
    QVERIFY(window.sss->frameTimer()->isActive());
    QCOMPARE(window.sss->geometry(), QRect(0, 0, 193, 25));
    const QImage strip = window.sss->grab().toImage();
    QCOMPARE(strip.pixelColor(2, 2), bannergen::bannerBackground);
    QCOMPARE(strip.pixelColor(190, 22), bannergen::bannerBackground);
}

void BannerTest::onlyARegularFileIsRead_data() {
    QTest::addColumn<InPlace>("inPlace");
    QTest::addColumn<QString>("reason"); // empty: no movie, and not a word about it
    QTest::newRow("nothing") << InPlace::Nothing << "";
    QTest::newRow("a link to nothing") << InPlace::LinkToNothing << "";
    QTest::newRow("a FIFO") << InPlace::Fifo << "it is a FIFO, not a regular file";
    QTest::newRow("a directory") << InPlace::Directory << "it is a directory, not a regular file";
    QTest::newRow("a socket") << InPlace::Socket << "it is a socket, not a regular file";
    QTest::newRow("a link to /dev/zero")
        << InPlace::LinkToZeroDevice << "it is a character device, not a regular file";
    QTest::newRow("a link to a FIFO") << InPlace::LinkToFifo << "it is a FIFO, not a regular file";
}

// Anything but a regular file in the movie's place leaves the banner empty at once, with one
// line in the log and no message box; the program's load goes on.
void BannerTest::onlyARegularFileIsRead() {
    QFETCH(InPlace, inPlace);
    QFETCH(QString, reason);
    quiltest::Seams seams;
    seams.createDatabase();
    const QString path = seams.folder() + QStringLiteral("/quil.swf");
    QString fifo;
    QVERIFY(putInPlace(inPlace, path, &fifo));
    const QString logged = QStringLiteral("The banner movie %1 cannot be played: %2");
    if (!reason.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(logged.arg(path, reason)));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));

    frmEntry window;
    {
        FifoRescue rescue(fifo);
        window.Form_Load();
        QVERIFY2(!rescue.rescued(), "the load waited for a writer to the FIFO");
    }
    window.Timer1->stop();
    QVERIFY(!window.sss->isPlaying());
    QVERIFY(!window.sss->frameTimer()->isActive());
    QCOMPARE(window.sss->problem(),
             reason.isEmpty() ? QStringLiteral("there is no movie at %1").arg(path) : reason);
    QVERIFY(seams.boxes.isEmpty());
    QVERIFY(seams.endCodes.isEmpty());
}

QTEST_MAIN(BannerTest)
#include "tst_banner.moc"
