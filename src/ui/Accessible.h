#pragma once

#include <QString>
#include <initializer_list>

class QLabel;
class QWidget;

namespace ui {

// What a screen reader says for a control: its name, from what the control stands for (its
// caption or the field it is), never from a value it shows; and a short description.
struct AccessibleText {
    QWidget* control;
    QString name;
    QString description;
};

// Gives each control its name and description. A text that is already the control's is not set
// again, so a screen reader hears of a change only when there is one.
void describe(std::initializer_list<AccessibleText> controls);
void describe(const AccessibleText& control);

// The clock, the usage time and the countdown change every second. A screen reader finds each by
// its fixed name and reads what it shows as its text when the user asks; no change is announced.
// Call before anything asks for the label's accessible interface: the label gets its own.
void describeTimeDisplay(QLabel* label, const QString& name, const QString& description);

} // namespace ui
