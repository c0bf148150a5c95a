// What the banner costs at idle: the process's CPU time while the main window stands idle for a
// while, with the banner movie and without it, and the banner alone in a bare window. Then the
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
#include <functional>
#include <sys/resource.h>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs the event loop for the given time with the scene shown and prints its cost.
void measure(const char* name, int seconds, const std::function<QWidget*(PaintCounter&)>& scene) {
    PaintCounter counter;
    std::unique_ptr<QWidget> window(scene(counter));
    window->show();
    QCoreApplication::processEvents(); // the first paint is not idle
    counter.paints = 0;
    const double before = cpuSeconds();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    const double used = cpuSeconds() - before;
    std::printf("%-34s %7.1f ms CPU in %d s = %5.2f%% of one core, %5.1f banner paints/s\n", name,
                used * 1000, seconds, used * 100 / seconds, double(counter.paints) / seconds);
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

QWidget* mainWindow(const QString& folder, PaintCounter& counter) {
    bench::useProgramFolder(folder);
    auto* window = new frmEntry;
    window->Form_Load();
    window->sss->installEventFilter(&counter);
    return window;
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
            [&](PaintCounter& c) { return mainWindow(withBanner.path(), c); });
    measure("main window without the banner", seconds,
            [&](PaintCounter& c) { return mainWindow(withoutBanner.path(), c); });
    measure("banner alone", seconds, [&](PaintCounter& c) {
        auto* player = new ui::BannerPlayer;
        player->resize(193, 25);
        player->setMovie(movie);
        player->installEventFilter(&c);
        return player;
    });
    measureHeaviestFrame();
    return 0;
}
