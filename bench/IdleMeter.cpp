#include "IdleMeter.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <sys/resource.h>
#include <vector>

namespace bench {

namespace {

struct Switches {
    long voluntary = 0;
    long involuntary = 0;
};

Switches switchesSoFar() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {usage.ru_nvcsw, usage.ru_nivcsw};
}

// Each thread's voluntary context switches so far, by "name (id)"; empty where /proc has none.
QHash<QString, qint64> threadWakeUps() {
    QHash<QString, qint64> wakeUps;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& id : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(id + QStringLiteral("/comm")));
        QFile status(tasks.filePath(id + QStringLiteral("/status")));
        if (!comm.open(QIODevice::ReadOnly) || !status.open(QIODevice::ReadOnly))
            continue;
        const QString name = QString::fromUtf8(comm.readAll().trimmed());
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                wakeUps.insert(QStringLiteral("%1 (%2)").arg(name, id),
                               line.mid(24).trimmed().toLongLong());
    }
    return wakeUps;
}

QList<Waker> sortedPerSecond(const QHash<QString, qint64>& counts, double seconds) {
    QList<Waker> wakers;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > 0)
            wakers.append({it.key(), double(it.value()) / seconds});
    std::sort(wakers.begin(), wakers.end(), [](const Waker& a, const Waker& b) {
        return a.perSecond != b.perSecond ? a.perSecond > b.perSecond : a.who < b.who;
    });
    return wakers;
}

QString nameOf(const QObject* object) {
    const QString type = QLatin1String(object->metaObject()->className());
    return object->objectName().isEmpty() ? type : type + QLatin1Char(' ') + object->objectName();
}

const QWidget* widgetOf(const QObject* object) {
    for (; object; object = object->parent())
        if (object->isWidgetType())
            return static_cast<const QWidget*>(object);
    return nullptr;
}

// Lets the loop run for a while without counting it.
void runFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

QString describe(const QObject* receiver) {
    QString text = nameOf(receiver);
    const QObject* parent = receiver->parent();
    if (parent)
        text += QStringLiteral(" < ") + nameOf(parent);
    if (const QWidget* widget = widgetOf(receiver)) {
        const QWidget* window = widget->window();
        if (window != receiver && window != parent)
            text += QStringLiteral(" (") + nameOf(window) + QLatin1Char(')');
    }
    return text;
}

EventCensus::EventCensus() {
    QCoreApplication::instance()->installEventFilter(this);
}

EventCensus::~EventCensus() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool EventCensus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Timer && watched != ignored)
        count(timers, watched);
    else if (event->type() == QEvent::Paint)
        count(paints, watched);
    return false;
}

void EventCensus::count(Counts& counts, const QObject* receiver) {
    Count& entry = counts[receiver];
    if (entry.events++ == 0)
        entry.who = describe(receiver);
}

// By name: a receiver deleted and another made at its address adds to the name it had.
QList<Waker> EventCensus::perSecond(const Counts& counts, double seconds) {
    QHash<QString, qint64> byName;
    for (const Count& entry : counts)
        byName[entry.who] += entry.events;
    return sortedPerSecond(byName, seconds);
}

QList<Waker> EventCensus::timersPerSecond(double seconds) const {
    return perSecond(timers, seconds);
}

QList<Waker> EventCensus::paintsPerSecond(double seconds) const {
    return perSecond(paints, seconds);
}

qint64 EventCensus::timerEvents() const {
    qint64 sum = 0;
    for (const Count& entry : timers)
        sum += entry.events;
    return sum;
}

IdleFigures measureIdle(int seconds, int runs) {
    QCoreApplication::processEvents();
    // A window system answers a showing in its own time; that answer is not idle either.
    runFor(500);
    std::vector<double> cpu, all, voluntary;
    EventCensus census;
    QHash<QString, qint64> byThread;
    for (int run = 0; run < runs; ++run) {
        QEventLoop loop;
        QTimer end;
        end.setSingleShot(true);
        census.ignore(&end);
        QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
        const QHash<QString, qint64> threadsBefore = threadWakeUps();
        const Switches before = switchesSoFar();
        const double cpuBefore = cpuSeconds();
        end.start(seconds * 1000);
        loop.exec();
        const double used = cpuSeconds() - cpuBefore;
        const Switches after = switchesSoFar();
        const QHash<QString, qint64> threadsAfter = threadWakeUps();
        for (auto it = threadsAfter.cbegin(); it != threadsAfter.cend(); ++it)
            byThread[it.key()] += it.value() - threadsBefore.value(it.key());
        const long woken = after.voluntary - before.voluntary;
        cpu.push_back(used * 100 / seconds);
        voluntary.push_back(double(woken) / seconds);
        all.push_back(double(woken + after.involuntary - before.involuntary) / seconds);
    }
    const double counted = double(seconds) * runs;
    return {{summarize(cpu).median, summarize(all).median, summarize(voluntary).median},
            census.timersPerSecond(counted),
            double(census.timerEvents()) / counted,
            census.paintsPerSecond(counted),
            sortedPerSecond(byThread, counted)};
}

} // namespace bench
