#include "ui/Pictures.h"

#include "ui/Fonts.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>

// One look for every window: deep blue with white text where the title stands, pale blue-grey
// behind dark text, a keyboard's keys as the only ornament and one warm accent.
namespace pictures {
namespace {

const QColor navyDark(0x17, 0x30, 0x4d);
const QColor navy(0x2b, 0x55, 0x80);
const QColor paleTop(0xee, 0xf3, 0xf8);
const QColor paleBottom(0xd5, 0xe0, 0xeb);
const QColor keyEdge(0xa9, 0xbd, 0xd2);
const QColor keyLabel(0x5b, 0x78, 0x96);
const QColor accent(0xe8, 0xa9, 0x3c);

// A pixmap as sharp as the screen allows, painted in the size's own coordinates.
QPixmap canvas(QSize size) {
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void fillGradient(QPainter& painter, QSize size, QPointF to, const QColor& from,
                  const QColor& toColour) {
    QLinearGradient gradient(QPointF(0, 0), to);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, toColour);
    painter.fillRect(QRect(QPoint(0, 0), size), gradient);
}

// A texture of blank keys over a whole area, faint enough to keep text on it readable.
void keyTexture(QPainter& painter, QSize size, int key, const QColor& colour) {
    const int pitch = key + key / 3;
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    for (int row = 0; row * pitch < size.height(); ++row) {
        const int shift = (row % 2) * pitch / 2;
        for (int x = -shift; x < size.width(); x += pitch)
            painter.drawRoundedRect(QRectF(x + 0.5, row * pitch + 0.5, key, key), 3, 3);
    }
}

// One key cap with its letter: the product's mark, and the keys of the idle keyboard.
void keyCap(QPainter& painter, const QRectF& cap, const QString& glyph, const QColor& face,
            const QColor& edge, const QColor& ink, const QFont& font) {
    const qreal radius = qMin(cap.width(), cap.height()) / 6;
    painter.setPen(Qt::NoPen);
    painter.setBrush(edge);
    painter.drawRoundedRect(cap.translated(0, 2), radius, radius); // the key's side
    painter.setBrush(face);
    painter.setPen(QPen(edge, 1));
    painter.drawRoundedRect(cap, radius, radius);
    painter.setPen(ink);
    painter.setFont(font);
    painter.drawText(cap, Qt::AlignCenter, glyph);
}

void drawKeyboard(QPainter& painter, QPointF centre) {
    static const qreal indents[] = {0, 0.25, 0.5, 0.9};
    static const QString rows[] = {QStringLiteral("1234567890"), QStringLiteral("QWERTYUIOP"),
                                   QStringLiteral("ASDFGHJKL"), QStringLiteral("ZXCVBNM")};
    const qreal key = 30, pitch = 36;
    const QRectF body(centre.x() - 5.5 * pitch, centre.y() - 2.5 * pitch - 6, 11 * pitch,
                      5 * pitch + 12);
    painter.setPen(QPen(keyEdge, 1));
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawRoundedRect(body, 10, 10);

    const QFont glyphs = tahoma(9);
    const qreal left = body.left() + (body.width() - 10 * pitch + (pitch - key)) / 2;
    for (int r = 0; r < 4; ++r) {
        const qreal indent = indents[r] * pitch;
        const qreal y = body.top() + 12 + r * pitch;
        for (int i = 0; i < rows[r].size(); ++i) {
            const QRectF cap(left + indent + i * pitch, y, key, key);
            const bool mark = rows[r].at(i) == QLatin1Char('Q');
            keyCap(painter, cap, rows[r].at(i), mark ? accent : Qt::white, keyEdge,
                   mark ? navyDark : keyLabel, glyphs);
        }
    }
    const QRectF space(centre.x() - 3 * pitch, body.top() + 12 + 4 * pitch, 6 * pitch - 6, key);
    keyCap(painter, space, QString(), Qt::white, keyEdge, keyLabel, glyphs);
}

} // namespace

QPixmap header(QSize size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    fillGradient(painter, size, QPointF(0, size.height()), navyDark, navy);
    // Keys fading out under the clock, at the right.
    painter.setOpacity(0.10);
    keyTexture(painter, size, 14, Qt::white);
    painter.setOpacity(1);
    QLinearGradient veil(QPointF(0, 0), QPointF(size.width() * 0.75, 0));
    veil.setColorAt(0, navyDark);
    veil.setColorAt(0.55, navyDark);
    veil.setColorAt(1, Qt::transparent);
    painter.fillRect(QRect(QPoint(0, 0), size), veil);

    QFont mark = palatino(20);
    mark.setBold(true);
    keyCap(painter, QRectF(16, 12, 42, 42), QStringLiteral("Q"), paleTop, accent, navyDark, mark);
    painter.setPen(Qt::white);
    painter.setFont(palatino(22));
    painter.drawText(QRectF(72, 6, size.width() - 260, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Quil's Data Entry"));
    painter.setPen(paleBottom);
    painter.setFont(tahoma(8.25));
    painter.drawText(QRectF(74, 40, size.width() - 260, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Numeric  \u00B7  Alpha  \u00B7  Alpha-Numeric"));
    return pixmap;
}

QPixmap idle(QSize size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    fillGradient(painter, size, QPointF(0, size.height()), paleTop, paleBottom);
    drawKeyboard(painter, QPointF(size.width() / 2.0, size.height() * 0.42));
    painter.setPen(navy);
    painter.setFont(tahoma(12));
    painter.drawText(QRectF(0, size.height() * 0.78, size.width(), 30), Qt::AlignCenter,
                     QStringLiteral("Choose a test from the Test menu"));
    return pixmap;
}

QPixmap agentBackground(QSize size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    fillGradient(painter, size, QPointF(size.width() / 2.0, size.height()), paleTop, paleBottom);
    painter.setOpacity(0.35);
    keyTexture(painter, size, 16, paleBottom.darker(108));
    painter.setOpacity(1);
    painter.fillRect(QRectF(0, 0, size.width(), 3), navy);
    return pixmap;
}

QPixmap aboutBackground(QSize size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    fillGradient(painter, size, QPointF(size.width() / 2.0, size.height()), navyDark, navy);
    painter.setOpacity(0.07);
    keyTexture(painter, size, 16, Qt::white);
    painter.setOpacity(1);
    painter.fillRect(QRectF(0, size.height() - 3, size.width(), 3), accent);
    return pixmap;
}

} // namespace pictures
