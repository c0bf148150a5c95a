#include "ui/Windows.h"

#include <QVariant>

QHash<std::type_index, QPointer<QWidget>>& Windows::loaded() {
    static QHash<std::type_index, QPointer<QWidget>> windows;
    return windows;
}

QWidget* Windows::stillLoaded(std::type_index type) {
    QWidget* window = loaded().value(type).data();
    // Closing a window released on close takes that attribute away before deleting it later.
    if (window && window->isHidden() && !window->testAttribute(Qt::WA_DeleteOnClose) &&
        window->property(kReleasedOnClose).toBool()) {
        loaded().remove(type);
        return nullptr;
    }
    return window;
}
