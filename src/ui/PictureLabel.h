#pragma once

#include <QLabel>
#include <QPixmap>
#include <QStyle>

namespace ui {

// A label that shows a picture, and shows it disabled exactly as a label does, greyed by the
// style. A label greys its picture again at every paint, and a label on the picture repaints
// it (the main window's clock, every second, while the main window is disabled); this one
// greys it once for as long as the picture, the palette, the style and the state stay.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent = nullptr) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QPixmap& greyedPicture();

    QPixmap greyed;
    qint64 greyedPixmap = 0;
    qint64 greyedPalette = 0;
    const QStyle* greyedBy = nullptr;
    QStyle::State greyedState;
};

} // namespace ui
