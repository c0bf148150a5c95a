#include "core/NumberText.h"

#include <QLocale>
#include <QTest>
#include <clocale>

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void readsAndWrites_data();
    void readsAndWrites();
    void ignoresTheProcessLocale();
};

void NumberTextTest::readsAndWrites_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("integer") << "25" << 25.0 << "25";
    QTest::newRow("one decimal") << "8.7" << 8.7 << "8.7";
    QTest::newRow("negative") << "-1" << -1.0 << "-1";
    QTest::newRow("empty reads as 0") << "" << 0.0 << "0";
    QTest::newRow("half") << "100.5" << 100.5 << "100.5";
    QTest::newRow("accuracy floor") << "72" << 72.0 << "72";
}

void NumberTextTest::readsAndWrites() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, written);
    QCOMPARE(numberValue(text), value);
    QCOMPARE(numberText(value), written);
}

void NumberTextTest::ignoresTheProcessLocale() {
    // A locale with a decimal comma must change neither what is written nor what is read.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const QString written = numberText(91.7);
    const double read = numberValue(QStringLiteral("8.7"));
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
    QCOMPARE(written, QStringLiteral("91.7"));
    QCOMPARE(read, 8.7);
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
