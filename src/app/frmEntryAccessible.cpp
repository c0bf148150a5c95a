// frmEntry for screen readers: the names and descriptions of its own controls. The test panels
// name their fields themselves.
#include "app/frmEntry.h"
#include "ui/Accessible.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

void frmEntry::describeControls() {
    ui::describe({
        {menuBar(), QStringLiteral("Main menu"), QStringLiteral("Tests, agents, records and help")},
        {Command1, QStringLiteral("Done"), QStringLiteral("Scores the Numeric test")},
    });
    // Their ticks are not announced: a time read out every second would drown the echo of the
    // typing. The end of a test is announced by its summary box.
    ui::describeTimeDisplay(quilr, QStringLiteral("Time left"),
                            QStringLiteral("Countdown of the running test"));
    ui::describeTimeDisplay(Label24, QStringLiteral("Clock"), QStringLiteral("Time of day"));
    ui::describeTimeDisplay(lblss, QStringLiteral("Usage time"),
                            QStringLiteral("Time since the program started"));
    Label21->setAccessibleDescription(QStringLiteral("Signed-in agent"));
    Label26->setBuddy(Label21);
}
