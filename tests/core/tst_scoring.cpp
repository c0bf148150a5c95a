#include "core/NumberText.h"
#include "core/NumericContent.h"
#include "core/Scoring.h"

#include <QTest>

using exam::ScoredField;

namespace {
// Every field of a table missed: its entry is empty.
template <class Credits> QList<ScoredField> allMissed(const Credits& missCredits) {
    QList<ScoredField> fields;
    for (double credit : missCredits)
        fields.append({QStringLiteral("1234"), QString(), 5, credit});
    return fields;
}
} // namespace

class ScoringTest : public QObject {
    Q_OBJECT
private slots:
    void scoresFromItsStart_data();
    void scoresFromItsStart();
};

void ScoringTest::scoresFromItsStart_data() {
    QTest::addColumn<QList<ScoredField>>("fields");
    QTest::addColumn<double>("startKeystrokes");
    QTest::addColumn<QString>("accuracy");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<QString>("keystrokes");

    const ScoredField match{QStringLiteral("5832"), QStringLiteral("5832"), 5, 3.6};
    const ScoredField typo{QStringLiteral("5832"), QStringLiteral("5823"), 5, 3.6};
    // Exact comparison: case, spaces and a longer entry all miss.
    const ScoredField wrongCase{QStringLiteral("Fritz"), QStringLiteral("fritz"), 8.3, 7.7};
    const ScoredField trailingSpace{QStringLiteral("Fritz"), QStringLiteral("Fritz "), 8.3, 7.7};

    QTest::newRow("nothing typed") << QList<ScoredField>{} << 0.0 << "0"
                                   << "0"
                                   << "0";
    QTest::newRow("a match and a typo") << QList<ScoredField>{match, typo} << 0.0 << "8.6"
                                        << "1"
                                        << "8";
    QTest::newRow("comparison is exact")
        << QList<ScoredField>{wrongCase, trailingSpace} << 0.0 << "15.4"
        << "2"
        << "11";
    // The word tests start their keystrokes at the record's base.
    QTest::newRow("keystrokes from the start") << QList<ScoredField>{match} << 96.0 << "5"
                                               << "0"
                                               << "100";
    // As the counters show it: no binary noise such as 15.200000000000001.
    QTest::newRow("7.7 + 7.5") << QList<ScoredField>{{QStringLiteral("a"), QString(), 1, 7.7},
                                                     {QStringLiteral("b"), QString(), 1, 7.5}}
                               << 0.0 << "15.2"
                               << "2"
                               << "0";
    QTest::newRow("every numeric field missed")
        << allMissed(exam::kNumericMissCredits) << 0.0 << "72"
        << "20"
        << "0";
}

void ScoringTest::scoresFromItsStart() {
    QFETCH(QList<ScoredField>, fields);
    QFETCH(double, startKeystrokes);
    QFETCH(QString, accuracy);
    QFETCH(QString, errors);
    QFETCH(QString, keystrokes);
    const exam::Score score = exam::scoreFields(fields, {0, 0, startKeystrokes});
    QCOMPARE(numberText(score.accuracy), accuracy);
    QCOMPARE(numberText(score.errors), errors);
    QCOMPARE(numberText(score.keystrokes), keystrokes);
}

QTEST_GUILESS_MAIN(ScoringTest)
#include "tst_scoring.moc"
