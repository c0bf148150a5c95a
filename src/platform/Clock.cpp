#include "platform/Clock.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <chrono>

namespace platform {
namespace {

class SystemClock final : public Clock {
public:
    QString dateText() const override { return shortDateText(QDateTime::currentDateTime()); }
    QString timeText() const override { return timeOfDayText(QDateTime::currentDateTime()); }
    qint64 monotonicMilliseconds() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

} // namespace

Clock& Clock::real() {
    static SystemClock system;
    return system;
}

QString shortDateText(const QDateTime& moment) {
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Many locales' short form has a two-digit year; a stored date must not be ambiguous.
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return locale.toString(moment.date(), format);
}

QString timeOfDayText(const QDateTime& moment) {
    const QLocale locale;
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1Char('s')))
        format.replace(QRegularExpression(QStringLiteral("(m+)")), QStringLiteral("\\1:ss"));
    return locale.toString(moment.time(), format);
}

} // namespace platform
