#pragma once

#include "platform/Seam.h"

#include <QString>

class QDateTime;

namespace platform {

// The date and time of day as the program shows and stores them.
class Clock : public Seam<Clock> {
public:
    virtual ~Clock() = default;
    virtual QString dateText() const = 0; // the locale's short date, with a four-digit year
    virtual QString timeText() const = 0; // the locale's time of day, with seconds
    // Milliseconds on a clock that only goes forward, for measuring spans of time.
    virtual qint64 monotonicMilliseconds() const = 0;

    // The system's clock.
    static Clock& real();
};

inline const Clock& clock() {
    return Clock::instance();
}

// The text forms used by the real clock, for any moment (they follow the process locale).
QString shortDateText(const QDateTime& moment);
QString timeOfDayText(const QDateTime& moment);

} // namespace platform
