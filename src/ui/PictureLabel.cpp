#include "ui/PictureLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOption>

namespace ui {

void PictureLabel::paintEvent(QPaintEvent* event) {
    // Enabled, scaled, or showing text or nothing, the label paints as it would anyway.
    if (isEnabled() || hasScaledContents() || pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    // The disabled picture as the label draws it: within the frame and margin, aligned.
    QPainter painter(this);
    drawFrame(&painter);
    const int m = margin();
    style()->drawItemPixmap(&painter, contentsRect().adjusted(m, m, -m, -m),
                            QStyle::visualAlignment(layoutDirection(), alignment()),
                            greyedPicture());
}

void PictureLabel::changeEvent(QEvent* event) {
    // Enabled again, the greyed picture is only memory.
    if (event->type() == QEvent::EnabledChange && isEnabled())
        greyed = QPixmap();
    QLabel::changeEvent(event);
}

const QPixmap& PictureLabel::greyedPicture() {
    QStyleOption option;
    option.initFrom(this);
    const QPixmap shown = pixmap();
    if (greyed.isNull() || shown.cacheKey() != greyedPixmap ||
        option.palette.cacheKey() != greyedPalette || style() != greyedBy ||
        option.state != greyedState) {
        greyed = style()->generatedIconPixmap(QIcon::Disabled, shown, &option);
        greyedPixmap = shown.cacheKey();
        greyedPalette = option.palette.cacheKey();
        greyedBy = style();
        greyedState = option.state;
    }
    return greyed;
}

} // namespace ui
