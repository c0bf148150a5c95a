#include "records/Buttons.h"

#include <QKeyEvent>
#include <QPushButton>

namespace records {

QPushButton* grayButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    QPalette face = button->palette();
    face.setColor(QPalette::Button, QColor(192, 192, 192));
    button->setPalette(face);
    return button;
}

bool pressDefault(QKeyEvent* event, QPushButton* defaultButton) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !defaultButton || !defaultButton->isEnabled() ||
        !defaultButton->isVisibleTo(defaultButton->window()))
        return false;
    defaultButton->click();
    return true;
}

} // namespace records
