// frmEntry: the menus from the keyboard. The captions carry no mnemonic, so the bar is reached
// by Alt or F10, and each test has a shortcut shown beside its caption.
#include "app/frmEntry.h"
#include "ui/MenuBarKeys.h"

#include <QAction>
#include <QMenuBar>

void frmEntry::createMenuKeys() {
    ui::reachByKeyboard(*menuBar());
    // Ctrl with a digit types nothing into a field; numbered in the menu's order. A running
    // test disables the Test menu, and an item of a disabled menu takes no shortcut, though
    // the item itself may stay enabled (Alpha-Numeric always does).
    alpha->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    number->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    an->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
}
