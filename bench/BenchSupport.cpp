#include "BenchSupport.h"

#include "BenchSeams.h"

#include "agents/frmLog.h"
#include "app/StartUp.h"
#include "app/frmEntry.h"
#include "platform/ProgramFolder.h"
#include "store/Schema.h"
#include "ui/EndProgram.h"
#include "ui/MessageBox.h"
#include "ui/Windows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace bench {

Summary summarize(std::vector<double> values) {
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back(), values[std::min(n - 1, n * 99 / 100)]};
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long peakResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform cannot pass a window's fixed size on and says so at every opening.
void withoutSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints")))
        standardHandler(type, context, text);
}

} // namespace

void offscreenByDefault() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(withoutSizeHintNotes);
}

void answerBoxes() {
    static AnsweringDialogs dialogs([](ui::Icon icon, const QString& text) {
        if (icon == ui::Icon::Critical)
            std::fprintf(stderr, "message box: %s\n", qPrintable(text));
    });
    static ReportedEnd end;
    ui::Dialogs::replaceWith(&dialogs);
    ui::ProgramEnd::replaceWith(&end);
}

namespace {

bool execute(QSqlQuery& query, const QString& what) {
    if (query.exec())
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(query.lastError().text()));
    return false;
}

} // namespace

bool makeProgramFolder(const QString& folder, bool withBanner, const QString& agentName) {
    const QString database = QDir(folder).filePath(QStringLiteral("dbTWRes.mdb"));
    QString error;
    if (!store::createDatabase(database, QStringLiteral("admin"), &error)) {
        std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(database), qPrintable(error));
        return false;
    }
    const QString movie = QCoreApplication::applicationDirPath() + QStringLiteral("/quil.swf");
    if (withBanner && !QFile::copy(movie, QDir(folder).filePath(QStringLiteral("quil.swf"))))
        std::fprintf(stderr, "no banner movie at %s: measured without it\n", qPrintable(movie));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench-agent");
        db.setDatabaseName(database);
        QSqlQuery query(db);
        ok = db.open() && query.prepare(QStringLiteral("INSERT INTO tblNew (Name) VALUES (?)"));
        query.addBindValue(agentName);
        ok = ok && execute(query, QStringLiteral("cannot add the agent"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-agent"));
    useProgramFolder(folder);
    return ok;
}

bool fillResults(const QString& databasePath, int rows) {
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench-fill");
        db.setDatabaseName(databasePath);
        ok = db.open() && db.transaction();
        QSqlQuery insert(db);
        ok = ok && insert.prepare(QStringLiteral(
                       "INSERT INTO tblRem (Date, Time, Name, Test, Errors, Accuracy, Keystroke) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int row = 0; ok && row < rows; ++row) {
            const QStringList values{QStringLiteral("12/10/2026"),
                                     QStringLiteral("1:52:44 PM"),
                                     QStringLiteral("Agent %1").arg(row % 500),
                                     QStringLiteral("Numeric"),
                                     QString::number(row % 21),
                                     QStringLiteral("91.7"),
                                     QStringLiteral("80")};
            for (int i = 0; i < values.size(); ++i)
                insert.bindValue(i, values[i]);
            ok = execute(insert, QStringLiteral("cannot fill tblRem"));
        }
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
    return ok;
}

int countRows(const QString& databasePath, const QString& table) {
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench-count");
        db.setDatabaseName(databasePath);
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)) &&
            query.next())
            count = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-count"));
    return count;
}

frmLog* startUp() {
    app::startUp();
    return Windows::find<frmLog>();
}

frmEntry* signIn() {
    return signIn(startUp());
}

frmEntry* signIn(frmLog* signInWindow) {
    signInWindow->Combo1->setCurrentIndex(0);
    signInWindow->Command2_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Windows::find<frmEntry>();
}

void figure(const QString& what, const QString& value, const QString& goal) {
    std::printf("figure\t%s\t%s\t%s\n", qPrintable(what), qPrintable(value), qPrintable(goal));
    std::fflush(stdout);
}

} // namespace bench
