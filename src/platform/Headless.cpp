#include "platform/Headless.h"

#include <QGuiApplication>

namespace platform {

bool headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace platform
