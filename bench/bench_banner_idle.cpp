// What the banner costs at idle: the process's CPU time while the main window stands idle for a
// while, with the banner movie and without it, and the banner alone in a bare window, with the
// banner's paints and timer wake-ups a second and the bytes of the pictures it keeps. Then what
// one paint costs, loop by loop (the first loop draws its pictures, later ones show them), and the
// time to draw the heaviest frame the player accepts, a bound on what a hostile movie can cost.
//
//   build/bin/quil-bench-banner [seconds]     (offscreen unless QT_QPA_PLATFORM says otherwise)
//
// The movie is build/bin/quil.swf, the one the build writes beside the program.
#include "BenchSeams.h"
#include "app/frmEntry.h"
#include "banner/MovieWriter.h"
#include "movie/Limits.h"
#include "movie/MoviePlayer.h"
#include "movie/MovieReader.h"
#include "store/Schema.h"
#include "ui/BannerPlayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sys/resource.h>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts what the banner does: the paint events it receives and the times its frame timer wakes
// it; and tells the bytes of the pictures it keeps.
class BannerWatch : public QObject {
public:
    int paints = 0;
    int wakes = 0;
    const ui::BannerPlayer* banner = nullptr;

    void watch(ui::BannerPlayer* player) {
        banner = player;
        player->installEventFilter(this);
        connect(player->frameTimer(), &QTimer::timeout, this, [this] { ++wakes; });
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs the event loop for the given time with the scene shown and prints its cost.
void measure(const char* name, int seconds, const std::function<QWidget*(BannerWatch&)>& scene) {
    BannerWatch watch;
    std::unique_ptr<QWidget> window(scene(watch));
    window->show();
    QCoreApplication::processEvents(); // the first paint is not idle
    watch.paints = 0;
    watch.wakes = 0;
    const double before = cpuSeconds();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    const double used = cpuSeconds() - before;
    std::printf("%-34s %7.1f ms CPU in %d s = %5.2f%% of one core, %5.1f banner paints/s, "
                "%5.1f wake-ups/s, %4.0f KiB of pictures kept\n",
                name, used * 1000, seconds, used * 100 / seconds, double(watch.paints) / seconds,
                double(watch.wakes) / seconds,
                watch.banner ? double(watch.banner->frameCacheBytes()) / 1024 : 0.0);
}

// A program folder with a database, and the banner movie when withMovie.
bool makeFolder(const QTemporaryDir& dir, bool withMovie, const QString& movie) {
    QString error;
    if (!store::createDatabase(dir.filePath(QStringLiteral("dbTWRes.mdb")), "admin", &error)) {
        std::fprintf(stderr, "quil-bench-banner: %s\n", qPrintable(error));
        return false;
    }
    return !withMovie || QFile::copy(movie, dir.filePath(QStringLiteral("quil.swf")));
}

QWidget* mainWindow(const QString& folder, BannerWatch& watch) {
    bench::useProgramFolder(folder);
    auto* window = new frmEntry;
    window->Form_Load();
    watch.watch(window->sss);
    return window;
}

double threadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

// What one paint of the banner costs, loop by loop: every frame of the movie painted at once, for
// three loops, in CPU time of the window's thread.
void measurePaintsByLoop(const QString& movie) {
    ui::BannerPlayer banner;
    banner.resize(193, 25);
    banner.setMovie(movie);
    banner.show();
    banner.frameTimer()->stop(); // the frames are stepped here
    QCoreApplication::processEvents();
    const int frames = 98;
    std::printf("one paint of the banner, every frame painted in turn:");
    for (int loop = 1; loop <= 3; ++loop) {
        const double start = threadCpuMicroseconds();
        for (int i = 0; i < frames; ++i) {
            banner.repaint();
            banner.nextFrame();
        }
        std::printf(" loop %d %.1f us%s", loop, (threadCpuMicroseconds() - start) / frames,
                    loop < 3 ? "," : "\n");
    }
}

// A star of crossing edges over the whole banner, just within the edges a frame may draw: the
// longest one frame of an accepted movie can hold the window before the player's guard against
// slow frames stops the movie.
void measureHeaviestFrame() {
    const int points = movie::limits::edgesPerFrame - 10;
    QPainterPath star(QPointF(0, 12));
    for (int i = 1; i < points; ++i)
        star.lineTo(QPointF((i * 97) % 193, (i * 13) % 25));
    star.closeSubpath();
    bannergen::MovieWriter writer(QSize(193, 25), 12);
    writer.defineShape(1, star, QColor(0x20, 0x40, 0x60), bannergen::LineStyle{1, Qt::white});
    writer.place(1, 1, QTransform());
    writer.showFrame();
    movie::Movie movie;
    QString error;
    if (!movie::readMovie(writer.plain(), movie, error)) {
        std::printf("heaviest frame: refused (%s)\n", qPrintable(error));
        return;
    }
    movie::MoviePlayer player(std::move(movie));
    QImage image(193, 25, QImage::Format_ARGB32_Premultiplied);
    const int draws = 20;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < draws; ++i) {
        QPainter painter(&image);
        player.paint(painter, QRectF(image.rect()));
    }
    std::printf("heaviest accepted frame (%d edges): %.1f ms to draw\n", points,
                double(clock.nsecsElapsed()) / 1e6 / draws);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QString(argv[1]).toInt()) : 10;
    const QString movie = QCoreApplication::applicationDirPath() + QStringLiteral("/quil.swf");
    if (!QFile::exists(movie)) {
        std::fprintf(stderr, "quil-bench-banner: no banner at %s; build first\n",
                     qPrintable(movie));
        return 1;
    }
    bench::AnsweringDialogs dialogs([](ui::Icon, const QString& text) {
        std::fprintf(stderr, "message box: %s\n", qPrintable(text));
    });
    ui::Dialogs::replaceWith(&dialogs);
    QTemporaryDir withBanner, withoutBanner;
    if (!makeFolder(withBanner, true, movie) || !makeFolder(withoutBanner, false, movie))
        return 1;

    std::printf("idle for %d s each, platform %s\n", seconds, qPrintable(app.platformName()));
    measure("main window with the banner", seconds,
            [&](BannerWatch& w) { return mainWindow(withBanner.path(), w); });
    measure("main window without the banner", seconds,
            [&](BannerWatch& w) { return mainWindow(withoutBanner.path(), w); });
    measure("banner alone", seconds, [&](BannerWatch& w) {
        auto* player = new ui::BannerPlayer;
        player->resize(193, 25);
        player->setMovie(movie);
        w.watch(player);
        return player;
    });
    measurePaintsByLoop(movie);
    measureHeaviestFrame();
    return 0;
}
