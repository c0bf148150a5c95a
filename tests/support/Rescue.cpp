#include "support/Rescue.h"

#include "core/ConnectionString.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace quiltest {

QList<RescueScenario> rescueScenarios() {
    const QString kept = QStringLiteral("kept.txt");
    const QString missing = QStringLiteral("missing/kept.txt"); // its folder does not exist
    const QString folder = QStringLiteral(".");
    const QString database = store::kDatabaseFileName;
    return {
        {QStringLiteral("Cancel, no file: reported as before"), 0, 0, {}, 0, {}},
        {QStringLiteral("Retry once the cause is gone: stored"), 1, 1, {}, 0, {}},
        {QStringLiteral("Retries that fail, stored on the third"), 3, 3, {}, 0, {}},
        {QStringLiteral("a failing Retry, then a file"), 1, 0, {kept}, 0, kept},
        {QStringLiteral("Cancel with the cause gone stores nothing"), 0, 1, {kept}, 0, kept},
        {QStringLiteral("a missing folder refused, then a file"), 0, 0, {missing, kept}, 1, kept},
        {QStringLiteral("a folder refused, then no file"), 0, 0, {folder}, 1, {}},
        {QStringLiteral("the database refused, then a file"), 0, 0, {database, kept}, 1, kept},
    };
}

void script(Seams& seams, const RescueScenario& scenario, std::function<void()> cure) {
    seams.answers.assign(size_t(scenario.retries), ui::Answer::Retry);
    for (const QString& file : scenario.files)
        seams.chosenFiles.push_back(file.isEmpty() ? QString()
                                                   : QDir(seams.folder()).filePath(file));
    auto asked = std::make_shared<int>(0);
    seams.onBox = [asked, cureAt = scenario.cureAt, cure](const Box& box) {
        if (box.question && ++*asked == cureAt)
            cure();
    };
}

namespace {

void verifyQuestions(const Seams& seams, const RescueScenario& scenario, qsizetype first,
                     const FinishedRow& row) {
    QVERIFY2(seams.boxes.size() >= first + scenario.questions(),
             qPrintable(QString::number(seams.boxes.size())));
    for (qsizetype k = first; k < first + scenario.questions(); ++k) {
        const Box& box = seams.boxes[k];
        QVERIFY2(box.question, qPrintable(box.text));
        QCOMPARE(box.icon, ui::Icon::Exclamation);
        QCOMPARE(box.title, QStringLiteral("Quil's Data Entry"));
        QVERIFY2(box.text.contains(QLatin1String("could not be stored")), qPrintable(box.text));
        QVERIFY2(box.text.contains(row.reason), qPrintable(box.text));
    }
}

void verifySavedFile(const Seams& seams, const QString& path, const FinishedRow& row) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList parts = row.fields;
    parts << QStringLiteral("Database: ") + seams.databasePath() << row.reason;
    for (const QString& part : std::as_const(parts))
        QVERIFY2(text.contains(part), qPrintable(text));
}

} // namespace

void verifyRescue(const Seams& seams, const RescueScenario& scenario, qsizetype first,
                  const FinishedRow& row) {
    verifyQuestions(seams, scenario, first, row);
    if (QTest::currentTestFailed())
        return;
    qsizetype next = first + scenario.questions();
    if (scenario.stored()) {
        QCOMPARE(seams.boxes.size(), next);
        QVERIFY(seams.offeredFiles.isEmpty());
        return;
    }

    // Each refused choice is said, and the dialog offered again.
    QCOMPARE(seams.offeredFiles.size(), scenario.refused + 1);
    const QRegularExpression suggested(
        QStringLiteral("^%1/%2-\\d{8}-\\d{6}\\.txt$")
            .arg(QRegularExpression::escape(QDir::homePath()), row.fileStem));
    for (const QString& offered : seams.offeredFiles)
        QVERIFY2(suggested.match(offered).hasMatch(), qPrintable(offered));
    QCOMPARE(seams.boxes.size(), next + scenario.refused + 1);
    for (int k = 0; k < scenario.refused; ++k) {
        const Box& box = seams.boxes[next++];
        QVERIFY2(!box.question && box.icon == ui::Icon::Exclamation, qPrintable(box.text));
        const QString path = QDir(seams.folder()).filePath(scenario.files.value(k));
        QVERIFY2(box.text.contains(QLatin1String("could not be saved")) &&
                     box.text.contains(QLatin1String("File: ") + path + QLatin1Char('\n')),
                 qPrintable(box.text));
    }

    const Box& report = seams.boxes[next];
    QCOMPARE(report.icon, ui::Icon::Critical);
    for (const QString& field : row.fields)
        QVERIFY2(report.text.contains(field), qPrintable(report.text));
    QVERIFY2(report.text.contains(row.reason), qPrintable(report.text));
    QCOMPARE(seams.endCodes, QList<int>{1});
    if (scenario.savedTo.isEmpty()) {
        QVERIFY2(!report.text.contains(QLatin1String("Saved to")), qPrintable(report.text));
        return;
    }
    const QString saved = QDir(seams.folder()).filePath(scenario.savedTo);
    QVERIFY2(report.text.endsWith(QStringLiteral("\n\nSaved to: ") + saved),
             qPrintable(report.text));
    verifySavedFile(seams, saved, row);
}

void addRescueRows(const QString& table) {
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<QString>("cure");
    QTest::addColumn<QString>("engineSays");
    QTest::addColumn<RescueScenario>("scenario");
    const QString refuse = QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN "
                                          "SELECT RAISE(ABORT, 'disk quota exceeded'); END")
                               .arg(table);
    for (const RescueScenario& scenario : rescueScenarios()) {
        QTest::newRow(qPrintable(QStringLiteral("table missing: ") + scenario.name))
            << QStringLiteral("ALTER TABLE %1 RENAME TO tblAway").arg(table)
            << QStringLiteral("ALTER TABLE tblAway RENAME TO %1").arg(table)
            << QStringLiteral("no such table") << scenario;
        QTest::newRow(qPrintable(QStringLiteral("row refused: ") + scenario.name))
            << refuse << QStringLiteral("DROP TRIGGER refuse")
            << QStringLiteral("disk quota exceeded") << scenario;
    }
}

} // namespace quiltest
