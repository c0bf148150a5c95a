#pragma once

#include <QList>
#include <QMainWindow>
#include <memory>

class Counter;
class IdleSelector;
class EntryField;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class frmLog;

namespace platform {
class RandomSource;
}
namespace ui {
class BannerPlayer;
}
namespace store {
class DataControl;
}
namespace exam {
class NumericRound;
class Round;
class WordRound;
struct Result;
struct RoundView;
} // namespace exam

// The main test window "Quil's DATA ENTRY TIMED!!!": the menu bar, the test panels, the
// agent's name, the clock, and all run-time state of the tests in its counters.
class frmEntry : public QMainWindow {
    Q_OBJECT
public:
    explicit frmEntry(QWidget* parent = nullptr);
    ~frmEntry() override;

    // Regions and their controls.
    QLabel* Picture1; // header picture
    QLabel* Label24;  // clock
    QLabel* lblss;    // usage time
    QLabel* Picture5; // idle picture
    QWidget* picNumb; // numeric reference panel
    QWidget* picNum;  // numeric entry panel
    QWidget* picTx;   // field frame of the numeric entry fields
    QPushButton* Command1;
    QLabel* Label25;   // notice line beside Done
    QWidget* pical2;   // word reference panel
    QWidget* pical;    // word entry panel
    QWidget* Picture2; // bottom strip, left: the banner
    ui::BannerPlayer* sss;
    QWidget* Picture3; // bottom strip, middle: the agent
    QLabel* Label26;
    QLabel* Label21;   // the signed-in agent's name
    QWidget* Picture4; // bottom strip, right: the countdown
    QLabel* quilr;

    // The reference labels and entry fields of the tests.
    QList<QLabel*> numericReferences; // Label1 ... Label20
    QList<EntryField*> numericFields; // Text1 ... Text20
    QList<EntryField*> wordFields;    // Text21 ... Text32
    QList<QLabel*> wordReferences;    // lblname, lblcourse, lblyear, sub1 ... sub9
    QList<QLabel*> wordSlotCaptions;  // Label40 ... Label42, then Label50 ... Label52
    QPushButton* Command2;            // the word tests' Done

    // Hidden state.
    Counter* a;
    Counter* s;
    Counter* aa;
    Counter* error;
    Counter* correct;
    Counter* ks;
    Counter* h;
    Counter* m;
    Counter* se;
    Counter* Label22; // the date captured at load
    Counter* Label23; // the name of the test last started

    // Menu bar.
    QAction* menu;
    QAction* new_;
    QAction* sa;
    QAction* sssss;
    QAction* exit;
    QAction* Test;
    QAction* alpha;
    QAction* number;
    QAction* an;
    QAction* Reste;
    QAction* amd;
    QAction* result;
    QAction* About;
    QAction* help;

    IdleSelector* Timer1; // idle selector
    QTimer* Timer2;       // numeric countdown
    QTimer* Timer3;       // clears the notice line
    QTimer* Timer4;       // clock and usage time
    QTimer* Timer5;       // word countdown

    store::DataControl* adosearch;         // the results table
    store::DataControl* adoquil = nullptr; // the usage table, configured by Exit

    // One draw of the window's random source: floor(r * range) as number text into a.
    // The idle selector's ticks that came due are drawn first.
    void draw(int range);

    // The button that Enter in the window presses (the main keyboard's Enter or the keypad's),
    // while it is enabled and visible. Dialogs have this built in; a main window does not.
    void setDefaultButton(QPushButton* button) { defaultButton = button; }

    // What the captions and counters hold now: the summary and the row of a scored test.
    exam::Result currentResult() const;

    // Opens the sign-in window over this window, which is disabled until it closes.
    frmLog* openSignIn();

public slots:
    void Form_Load();
    void Timer1_Timer();
    void Reste_Click();
    void Timer3_Timer();

    // The Numeric test (app/frmEntryNumeric.cpp).
    void number_Click();
    void Command1_Click();
    void Timer2_Timer();

    // The Alpha and Alpha-Numeric tests (app/frmEntryWords.cpp).
    void alpha_Click();
    void an_Click();
    void Command2_Click();
    void Timer5_Timer();

    // Agents, the usage clock and Exit (app/frmEntryAgents.cpp).
    void new__Click();
    void sa_Click();
    void exit_Click();
    void Timer4_Timer();
    void agentSignedIn(const QString& agent); // from the sign-in window's Ok

    // The records windows (app/frmEntryRecords.cpp).
    void sssss_Click();
    void amd_Click();
    void result_Click();

    // About and Help (app/frmEntryHelp.cpp).
    void About_Click();
    void help_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void catchUpIdleTicks();
    void createRegions();
    void createHeader();
    void createTestPanels();
    void createBottomStrip();
    void createCounters();
    void createMenus();
    void createMenuKeys();
    void createTimers();
    void describeControls(); // for screen readers (app/frmEntryAccessible.cpp)
    QAction* menuItem(QMenu* parent, const char* name, const QString& caption);
    void openRegistration();

    // The tests: each one's panel parts and its round (app/frmEntryNumeric.cpp and
    // app/frmEntryWords.cpp), and what only the window knows, that it has all of them.
    void createNumericTest();
    void createWordTests();
    exam::RoundView roundView();
    void showOnly(exam::Round& shown);
    void stopOtherCountdowns(const exam::Round& running);

    std::unique_ptr<exam::NumericRound> numericRound;
    std::unique_ptr<exam::WordRound> wordRound;
    QList<exam::Round*> rounds; // in the order that Reset abandons them

    std::unique_ptr<platform::RandomSource> random;
    QPushButton* defaultButton = nullptr;
    bool centred = false;
};
