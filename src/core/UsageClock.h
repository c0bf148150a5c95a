#pragma once

#include <QString>

namespace agents {

// The usage count of the main window: hours, minutes and seconds as the decimal texts its
// counters hold.
struct UsageCount {
    QString hours = QStringLiteral("0");
    QString minutes = QStringLiteral("0");
    QString seconds = QStringLiteral("0");
};

// One clock tick. The seconds roll into the minutes on the tick they reach 60; the minutes
// roll into the hours one tick after they reach 60, since a tick that rolls the seconds does
// not look at the minutes. So every full hour shows "60 min" for one tick, and no second is
// lost by it.
void tick(UsageCount& count);

// "SD: <h> hr <m> min <s> sec".
QString usageText(const UsageCount& count);

} // namespace agents
