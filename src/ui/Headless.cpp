#include "ui/Headless.h"

#include <QGuiApplication>

namespace ui {

bool headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace ui
