#pragma once

// What the process costs while nobody touches it: CPU time, context switches, and who woke it.

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

namespace bench {

// Per second of undisturbed event loop.
struct IdleCost {
    double cpuPercent = 0; // share of one core, user and system, all threads
    double switches = 0;   // context switches, voluntary and involuntary
    double wakeUps = 0;    // the voluntary ones: the process slept and something woke it
};

// One receiver of timer events and how many it got a second.
struct Waker {
    QString who;
    double perSecond = 0;
};

struct IdleFigures {
    IdleCost cost;       // the median of each over the runs
    QList<Waker> wakers; // timer events by receiver, busiest first, over all runs
    double timerEventsPerSecond = 0;
    QList<Waker> painted; // paint events by widget: what the wake-ups cost
    QList<Waker> threads; // each thread's wake-ups, busiest first
};

// Runs the event loop undisturbed for runs of the given length and measures them. What the
// windows' opening left to do settles first and is not counted.
IdleFigures measureIdle(int seconds, int runs);

// Counts the timer events the application delivers, by receiver: every timer of the main
// thread, a QTimer's as well as a widget's own (a line edit's cursor blink, say); and the paint
// events, by widget. It sees every event of the process, so it must cost next to nothing: an
// event is counted by its receiver's address, and a receiver is named once, when first seen.
class EventCensus : public QObject {
public:
    EventCensus();
    ~EventCensus() override;

    // Timer events to this object are not counted: the measurement's own.
    void ignore(const QObject* receiver) { ignored = receiver; }
    QList<Waker> timersPerSecond(double seconds) const;
    QList<Waker> paintsPerSecond(double seconds) const;
    qint64 timerEvents() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Count {
        QString who;
        qint64 events = 0;
    };
    using Counts = QHash<const QObject*, Count>;
    static void count(Counts& counts, const QObject* receiver);
    static QList<Waker> perSecond(const Counts& counts, double seconds);

    Counts timers;
    Counts paints;
    const QObject* ignored = nullptr;
};

// "QTimer Timer4 < frmEntry frmEntry": the receiver's class and name, its parent's, and the
// window it belongs to when that is neither.
QString describe(const QObject* receiver);

} // namespace bench
