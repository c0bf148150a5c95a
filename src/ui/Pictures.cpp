#include "ui/Pictures.h"

#include "ui/Fonts.h"

#include <QLinearGradient>
#include <QPainter>

namespace pictures {

QPixmap header(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, QColor(0x1f, 0x3b, 0x5c));
    gradient.setColorAt(1, QColor(0x2e, 0x5e, 0x8a));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(Qt::white);
    QFont font = tahoma(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(16, 18, size.width() - 32, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Quil's Data Entry"));
    return pixmap;
}

QPixmap idle(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, QColor(0xe8, 0xee, 0xf4));
    gradient.setColorAt(1, QColor(0xc9, 0xd6, 0xe3));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(QColor(0x2e, 0x5e, 0x8a));
    painter.setFont(tahoma(14));
    painter.drawText(pixmap.rect(), Qt::AlignCenter,
                     QStringLiteral("Choose a test from the Test menu"));
    return pixmap;
}

QPixmap agentBackground(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0xe8, 0xee, 0xf4));
    return pixmap;
}

QPixmap aboutBackground(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0x1f, 0x3b, 0x5c));
    return pixmap;
}

} // namespace pictures
