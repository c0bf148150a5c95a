#include "core/UsageClock.h"

#include "core/NumberText.h"

namespace agents {
namespace {

QString plusOne(const QString& text) {
    return numberText(numberValue(text) + 1);
}

} // namespace

void tick(UsageCount& count) {
    count.seconds = plusOne(count.seconds);
    if (count.seconds == QLatin1String("60")) {
        count.minutes = plusOne(count.minutes);
        count.seconds = QStringLiteral("0");
    } else if (count.minutes == QLatin1String("60")) {
        count.hours = plusOne(count.hours);
        count.minutes = QStringLiteral("0");
    }
}

QString usageText(const UsageCount& count) {
    return QStringLiteral("SD: %1 hr %2 min %3 sec").arg(count.hours, count.minutes, count.seconds);
}

} // namespace agents
