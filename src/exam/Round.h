#pragma once

#include "core/Scoring.h"
#include "exam/ResultRecord.h"

#include <QList>
#include <functional>

class Counter;
class IdleSelector;
class EntryField;
class QAction;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace store {
class DataControl;
}

namespace exam {

class Round;

// The parts of the window that the rounds of all its tests share, and what only the window can
// do: it alone knows its tests. The counters are the window's captions; a round keeps no state
// of its own.
struct RoundView {
    QWidget* window;  // the owner of the boxes
    Counter& draw;    // a: the window's last draw, as number text
    Counter& correct; // the accuracy
    Counter& error;
    Counter& keystrokes;         // ks
    Counter& testName;           // Label23: the test last started
    QAction& testMenu;           // Test
    QAction& reset;              // Reste
    IdleSelector& idleSelector;  // Timer1
    QLabel& countdownText;       // quilr
    store::DataControl& results; // the results view
    // One draw of the window's random source into the draw counter.
    std::function<void(int range)> drawNext;
    // The button that Enter in the window presses.
    std::function<void(QPushButton* button)> setDefaultButton;
    // Shows the round's panels, hides every other test's panels and stops every other countdown.
    std::function<void(Round& shown)> showOnly;
    // Stops every countdown but the round's.
    std::function<void(const Round& running)> stopOtherCountdowns;
    // The captions and counters as they stand: what the summary shows and the row stores.
    std::function<Result()> currentResult;
};

// The parts of the window that belong to one test.
struct TestParts {
    Counter& seconds;       // the seconds left of the countdown
    QTimer& countdown;      // ticks once a second while the test runs
    QAction& menuItem;      // disabled while the test runs
    QPushButton& done;      // scores the test once the required fields hold entries
    QList<QWidget*> panels; // shown while the test runs, in the order they show and hide
    QList<QLabel*> references;
    QList<EntryField*> fields; // one for each reference
};

// One test as the window runs it: its start, Done, the countdown's ticks, the scoring and the
// window's Reset. A round works on the window's parts only, through its view and its parts.
class Round {
public:
    virtual ~Round();
    Round(const Round&) = delete;
    Round& operator=(const Round&) = delete;

    // The window's Reset abandons the round: nothing is scored or stored.
    virtual void reset() = 0;

    // Another test starts: the round's panels hide and its countdown stops.
    void standAside();
    void showPanels();
    void stopCountdown();

protected:
    Round(RoundView view, TestParts parts);

    // One second less, shown in the countdown text. True once none is left: the countdown has
    // stopped then.
    bool countDown();
    // False, with the "Complete the Entry" notice shown, while one of the first required fields
    // is empty.
    bool requiredEntered(int required);
    // The counters take the score.
    void writeScore(const Score& score);
    // The summary box, then the row. False when the row could not be stored.
    bool summariseAndStore(const QString& firstLine);
    void clearFields();
    void hidePanels();

    RoundView view;
    TestParts parts;
};

} // namespace exam
