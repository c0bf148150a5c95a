// How long the results window and the admin window take to open over a small and a huge
// results table, and how long the main window takes to store a result row while the admin
// window holds its grids open. Prints figures; never fails on timing.
//
//   quil-bench-records [rows of the big table, default 1000000]
#include "BenchSeams.h"
#include "app/frmEntry.h"
#include "core/IdleSelector.h"
#include "exam/ResultRecord.h"
#include "records/DataGrid.h"
#include "records/frmAdm.h"
#include "records/frmRemarks.h"
#include "store/GridModel.h"
#include "store/Schema.h"
#include "ui/EndProgram.h"
#include "ui/MessageBox.h"
#include "ui/Windows.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepeats = 21;

struct Stats {
    double median = 0;
    double max = 0;
};

Stats stats(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

// Times step only; after (untimed) tidies up behind it.
template <class Step, class After> Stats measure(int repeats, Step step, After after) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        after();
    }
    return stats(ms);
}

void closeAndRelease(QWidget* window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool fillResults(const QString& path, int rows) {
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench-fill");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        ok = db.open() &&
             query.exec(QStringLiteral(
                            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < %1) INSERT INTO tblRem (Date, Time, Name, Test, Errors, "
                            "Accuracy, Keystroke) SELECT '12/10/2026', '1:52:44 PM', 'Agent ' || "
                            "i, 'Numeric', '2', '91.7', '80' FROM n")
                            .arg(rows));
        if (!ok)
            std::fprintf(stderr, "cannot fill the table: %s\n",
                         qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
    return ok;
}

// Opened from the menu and drawn once.
void openResults(frmEntry* main) {
    main->result->trigger();
    Windows::find<frmRemarks>()->grab();
}

frmAdm* openAdminRecords(frmEntry* main) {
    main->amd->trigger();
    frmAdm* admin = Windows::find<frmAdm>();
    admin->Text1->setText(QStringLiteral("admin"));
    admin->Command1_Click();
    admin->grab();
    return admin;
}

struct Figures {
    Stats results;
    Stats admin;
    Stats store;
    Stats deletion;
};

bool run(int rows, Figures* figures) {
    QTemporaryDir folder;
    QString error;
    const QString path = folder.filePath(QStringLiteral("dbTWRes.mdb"));
    if (!store::createDatabase(path, QStringLiteral("admin"), &error)) {
        std::fprintf(stderr, "cannot create the database: %s\n", qPrintable(error));
        return false;
    }
    QElapsedTimer filling;
    filling.start();
    if (!fillResults(path, rows))
        return false;
    std::printf("  %d rows stored in %.1f s\n", rows, double(filling.elapsed()) / 1000);
    bench::useProgramFolder(folder.path());

    frmEntry* main = Windows::show<frmEntry>();
    main->Timer1->stop();
    const auto closeResults = [] { closeAndRelease(Windows::find<frmRemarks>()); };
    const auto closeAdmin = [] { closeAndRelease(Windows::find<frmAdm>()); };
    openResults(main); // warms the file cache and the fonts
    closeResults();
    figures->results = measure(
        kRepeats, [main] { openResults(main); }, closeResults);
    figures->admin = measure(
        kRepeats, [main] { openAdminRecords(main); }, closeAdmin);

    frmAdm* admin = openAdminRecords(main);
    const auto nothing = [] {};
    figures->store = measure(
        kRepeats,
        [main] {
            if (!exam::summariseAndStore(
                    main, QStringLiteral("Numeric Test:"), [main] { return main->currentResult(); },
                    *main->adosearch))
                std::fprintf(stderr, "a result row was not stored\n");
        },
        nothing);
    auto* grid = qobject_cast<store::GridModel*>(admin->DataGrid1->model());
    figures->deletion = measure(
        kRepeats,
        [grid] {
            if (grid->deleteRows({0}) != store::GridModel::Deletion::Deleted)
                std::fprintf(stderr, "a row was not deleted\n");
        },
        nothing);
    delete admin;
    delete main;
    return true;
}

// Medians for the sizes, then the big table's median over the small table's and over the
// middle one's (which, like the big one, is bigger than one fetch of the grid).
void print(const char* what, const std::vector<Stats>& sizes) {
    std::printf("%-40s", what);
    for (const Stats& size : sizes)
        std::printf(" %9.2f ms", size.median);
    const double big = sizes.back().median;
    std::printf(" %7.1f x %7.1f x\n", big / std::max(sizes.front().median, 0.001),
                big / std::max(sizes.at(1).median, 0.001));
}

QtMessageHandler standardHandler = nullptr;

// The offscreen platform cannot pass a window's fixed size on; it says so at every opening.
void quietSizeHints(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints")))
        standardHandler(type, context, text);
}

} // namespace

int main(int argc, char* argv[]) {
    standardHandler = qInstallMessageHandler(quietSizeHints);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int big = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    constexpr int kSmall = 100;
    bench::AnsweringDialogs dialogs([](ui::Icon, const QString& text) {
        if (!text.startsWith(QLatin1String("Numeric Test:")))
            std::fprintf(stderr, "box: %s\n", qPrintable(text));
    });
    bench::ReportedEnd end;
    ui::Dialogs::replaceWith(&dialogs);
    ui::ProgramEnd::replaceWith(&end);

    const std::vector<int> sizes{kSmall, 10000, big};
    std::vector<Figures> figures(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        std::printf("tblRem with %d rows:\n", sizes[i]);
        if (!run(sizes[i], &figures[i]))
            return 1;
    }

    std::printf("\nmedian of %d runs, in ms %15s %12s %12s %9s %9s\n", kRepeats, "100 rows",
                "10000 rows", qPrintable(QStringLiteral("%1 rows").arg(big)), "big/100",
                "big/10000");
    const auto row = [&figures](const char* what, Stats Figures::*figure) {
        std::vector<Stats> medians;
        for (const Figures& size : figures)
            medians.push_back(size.*figure);
        print(what, medians);
    };
    row("open the results window", &Figures::results);
    row("open the admin window (records stage)", &Figures::admin);
    row("store a result row, admin window open", &Figures::store);
    row("delete a row in the admin results grid", &Figures::deletion);
    return 0;
}
