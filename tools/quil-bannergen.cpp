// Writes the program's banner movie, quil.swf, to the path given.
#include "banner/BannerMovie.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
    // The font outlines need a GUI application, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const bool plain = arguments.contains(QStringLiteral("--plain"));
    QStringList paths = arguments.mid(1);
    paths.removeAll(QStringLiteral("--plain"));
    if (paths.size() != 1) {
        std::fprintf(stderr, "usage: quil-bannergen [--plain] <output file>\n"
                             "Writes the banner movie; --plain leaves it uncompressed.\n");
        return 2;
    }
    const bannergen::MovieWriter movie = bannergen::bannerMovie();
    QSaveFile file(paths.front());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(plain ? movie.plain() : movie.compressed()) < 0 || !file.commit()) {
        std::fprintf(stderr, "quil-bannergen: cannot write %s: %s\n", qPrintable(paths.front()),
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
