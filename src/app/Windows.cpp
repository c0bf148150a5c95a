#include "app/Windows.h"

QHash<std::type_index, QPointer<QWidget>>& Windows::loaded() {
    static QHash<std::type_index, QPointer<QWidget>> windows;
    return windows;
}
