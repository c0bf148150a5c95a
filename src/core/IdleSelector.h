#pragma once

#include <QObject>
#include <QString>
#include <functional>

// The main window's idle selector: while it runs, every interval is one tick that draws the
// window's next random number, so that the first test's content depends on how long the window
// stood idle. It keeps the time instead of ticking, so an idle window never wakes for it: the
// ticks that have come due are counted when the window is about to draw.
class IdleSelector : public QObject {
    Q_OBJECT
public:
    // now gives a monotonic time in milliseconds.
    IdleSelector(const QString& name, int intervalMs, std::function<qint64()> now, QObject* parent);

    int interval() const { return intervalMs; }
    bool isActive() const { return active; }

    // Ticks start counting from now; a running selector goes on as it was.
    void start();
    // No tick comes due any more; a part of a period already passed is dropped.
    void stop();
    // The whole periods passed since the start or the last call: the ticks due now.
    qint64 takeDueTicks();

private:
    int intervalMs;
    std::function<qint64()> now;
    bool active = false;
    qint64 countedUpTo = 0;
};
