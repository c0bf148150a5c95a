#include "core/DisplayName.h"

namespace agents {

QString displayName(const QString& lastName, const QString& firstName, const QString& middle) {
    return firstName + QLatin1Char(' ') + middle + QStringLiteral(". ") + lastName;
}

} // namespace agents
