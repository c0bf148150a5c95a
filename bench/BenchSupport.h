#pragma once

// What the benchmarks share: a program folder with a database, fast filling of the results
// table, statistics, process figures, and the line format that scripts/bench gathers.

#include <QString>
#include <vector>

class frmEntry;
class frmLog;

namespace bench {

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
    double p99 = 0;
};
Summary summarize(std::vector<double> values);

// User and system CPU time of this process, all threads, in seconds.
double cpuSeconds();
// The peak resident set size of this process (VmHWM), in KiB; 0 when it cannot be read.
long peakResidentKiB();
// Seconds of CLOCK_MONOTONIC, which every process on the machine shares.
double monotonicSeconds();

// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Call before QApplication.
void offscreenByDefault();
// Message boxes answered at once and unseen (a box that reports a failure still goes to stderr);
// the end of the program is reported instead of carried out.
void answerBoxes();

// Makes folder a program folder: a fresh database (admin password "admin") with the agent
// agentName, and the banner movie of the build when withBanner. The program folder seam then
// points there. False with a message on stderr when it cannot.
bool makeProgramFolder(const QString& folder, bool withBanner,
                       const QString& agentName = QStringLiteral("Bench M. Agent"));
// Adds rows to tblRem in one transaction through one prepared statement: fixture set-up, not
// the code being measured.
bool fillResults(const QString& databasePath, int rows);

// The number of rows of a table; -1 when it cannot be read.
int countRows(const QString& databasePath, const QString& table);

// The program's start-up as it shows itself: the sign-in window, over the disabled main
// window that it loads.
frmLog* startUp();
// The program's start-up to the signed-in main window, as a person gets there: the sign-in
// window loads the main window, the agent is picked and Ok pressed.
frmEntry* signIn();
// The same from the sign-in window open at start-up.
frmEntry* signIn(frmLog* signInWindow);

// One figure for the table that scripts/bench prints: "figure<TAB>what<TAB>value<TAB>goal".
void figure(const QString& what, const QString& value, const QString& goal = QString());

} // namespace bench
