#include "banner/BannerMovie.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <cmath>
#include <vector>

namespace bannergen {

namespace {

constexpr quint16 caretId = 100;
constexpr quint16 caretDepth = 100;
constexpr int framesPerKey = 2; // about six keystrokes a second
constexpr int blinkFrames = 6;
constexpr int blinks = 4;
constexpr int fadeFrames = 8;
constexpr int pauseFrames = 6;

QString title() {
    return QStringLiteral("Quil's Data Entry");
}

// The largest size of a plain sans face at which the title and its caret fit the strip.
QFont titleFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::DemiBold);
    font.setHintingPreference(QFont::PreferNoHinting);
    for (int pixels = 16; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(title()) <= bannerWidth - 24)
            break;
    }
    return font;
}

struct Layout {
    QFont font;
    std::vector<double> x; // where each letter starts, and after the last one where the caret
                           // stops
    double baseline = 0;
    double capHeight = 0;
};

Layout layOut() {
    Layout layout;
    layout.font = titleFont();
    const QFontMetricsF metrics(layout.font);
    const QString text = title();
    const double width = metrics.horizontalAdvance(text) + 3;
    const double left = std::round((bannerWidth - width) / 2);
    for (int i = 0; i <= text.size(); ++i)
        layout.x.push_back(left + metrics.horizontalAdvance(text.left(i)));
    layout.capHeight = metrics.capHeight();
    layout.baseline = std::round((bannerHeight + layout.capHeight) / 2);
    return layout;
}

QTransform at(double x, double y) {
    return QTransform::fromTranslate(x, y);
}

void defineShapes(MovieWriter& movie, const Layout& layout) {
    const QString text = title();
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        QPainterPath glyph;
        glyph.addText(0, 0, layout.font, text.mid(i, 1));
        movie.defineShape(quint16(i + 1), glyph, bannerInk);
    }
    QPainterPath caret;
    caret.addRect(QRectF(0, -layout.capHeight - 1, 1.5, layout.capHeight + 3));
    movie.defineShape(caretId, caret, bannerCaret);
}

void showFrames(MovieWriter& movie, int count) {
    for (int i = 0; i < count; ++i)
        movie.showFrame();
}

void typeTitle(MovieWriter& movie, const Layout& layout) {
    const QString text = title();
    movie.place(caretDepth, caretId, at(layout.x[0], layout.baseline));
    showFrames(movie, framesPerKey);
    for (int i = 0; i < text.size(); ++i) {
        if (!text[i].isSpace())
            movie.place(quint16(i + 1), quint16(i + 1), at(layout.x[size_t(i)], layout.baseline));
        movie.modify(caretDepth, at(layout.x[size_t(i) + 1] + 1, layout.baseline));
        showFrames(movie, framesPerKey);
    }
}

void blinkCaret(MovieWriter& movie, const Layout& layout) {
    for (int i = 0; i < blinks; ++i) {
        movie.remove(caretDepth);
        showFrames(movie, blinkFrames);
        movie.place(caretDepth, caretId, at(layout.x.back() + 1, layout.baseline));
        showFrames(movie, blinkFrames);
    }
}

void fadeOut(MovieWriter& movie, const Layout& layout) {
    const QString text = title();
    movie.remove(caretDepth);
    for (int step = 1; step <= fadeFrames; ++step) {
        const ColourChange fade = ColourChange::alpha(256 * (fadeFrames - step) / fadeFrames);
        for (int i = 0; i < text.size(); ++i)
            if (!text[i].isSpace())
                movie.modify(quint16(i + 1), at(layout.x[size_t(i)], layout.baseline), fade);
        movie.showFrame();
    }
    for (int i = 0; i < text.size(); ++i)
        if (!text[i].isSpace())
            movie.remove(quint16(i + 1));
    showFrames(movie, pauseFrames);
}

} // namespace

MovieWriter bannerMovie() {
    MovieWriter movie(QSize(bannerWidth, bannerHeight), bannerFrameRate);
    movie.setBackground(bannerBackground);
    const Layout layout = layOut();
    defineShapes(movie, layout);
    typeTitle(movie, layout);
    blinkCaret(movie, layout);
    fadeOut(movie, layout);
    return movie;
}

} // namespace bannergen
