#include "core/IdleSelector.h"

IdleSelector::IdleSelector(const QString& name, int intervalMs, std::function<qint64()> now,
                           QObject* parent)
    : QObject(parent), intervalMs(intervalMs), now(std::move(now)) {
    setObjectName(name);
}

void IdleSelector::start() {
    if (active)
        return;
    active = true;
    countedUpTo = now();
}

void IdleSelector::stop() {
    active = false;
}

qint64 IdleSelector::takeDueTicks() {
    if (!active || intervalMs <= 0)
        return 0;
    const qint64 elapsed = now() - countedUpTo;
    if (elapsed < intervalMs)
        return 0;
    const qint64 ticks = elapsed / intervalMs;
    countedUpTo += ticks * intervalMs;
    return ticks;
}
