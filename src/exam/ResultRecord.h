#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace store {
class DataControl;
}

namespace exam {

// One scored test as the summary box shows it and the results table stores it.
struct Result {
    QString date; // the date captured when the main window loaded
    QString agent;
    QString test;
    QString time; // the clock text when the row is stored
    QString errors;
    QString accuracy;
    QString keystrokes;
};

// The summary box's eleven lines, joined by CR LF.
QString summaryText(const QString& firstLine, const QString& currentDate, const Result& result);

// What a failed store reports, so that the result can still be written down by hand.
QString unsavedText(const Result& result);

// Shows the summary box of the test just scored over window, waits until it is closed, then adds
// the result row through the results view and refreshes it. The result is read for the box and
// again after it. False when the row could not be stored (the user was offered to retry and to
// save it to a file; the failure has been reported and the program ends).
bool summariseAndStore(QWidget* window, const QString& firstLine,
                       const std::function<Result()>& currentResult, store::DataControl& view);

} // namespace exam
