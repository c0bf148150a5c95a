#include "core/UsageClock.h"

#include <QTest>

class UsageClockTest : public QObject {
    Q_OBJECT
private slots:
    void usageTextAfterTicks_data();
    void usageTextAfterTicks();
};

void UsageClockTest::usageTextAfterTicks_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("usage");
    QTest::newRow("1") << 1 << "SD: 0 hr 0 min 1 sec";
    QTest::newRow("59") << 59 << "SD: 0 hr 0 min 59 sec";
    QTest::newRow("60: the seconds roll") << 60 << "SD: 0 hr 1 min 0 sec";
    QTest::newRow("3599") << 3599 << "SD: 0 hr 59 min 59 sec";
    QTest::newRow("3600: sixty minutes for one tick") << 3600 << "SD: 0 hr 60 min 0 sec";
    QTest::newRow("3601: the minutes roll a tick late") << 3601 << "SD: 1 hr 0 min 1 sec";
    QTest::newRow("a day and an hour") << 90001 << "SD: 25 hr 0 min 1 sec";
}

void UsageClockTest::usageTextAfterTicks() {
    QFETCH(int, ticks);
    QFETCH(QString, usage);
    agents::UsageCount count;
    for (int tick = 0; tick < ticks; ++tick)
        agents::tick(count);
    QCOMPARE(agents::usageText(count), usage);
}

QTEST_GUILESS_MAIN(UsageClockTest)
#include "tst_usageclock.moc"
