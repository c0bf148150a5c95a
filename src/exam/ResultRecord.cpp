#include "exam/ResultRecord.h"

#include "platform/Clock.h"
#include "store/DataControl.h"
#include "ui/ErrorPolicy.h"
#include "ui/MessageBox.h"
#include "ui/RowRescue.h"

#include <QStringList>

namespace exam {
namespace {

bool storeRow(store::DataControl& view, const Result& result) {
    store::RecordSet* rows = view.Recordset();
    rows->AddNew();
    const std::pair<const char*, const QString*> fields[] = {
        {"Date", &result.date},           {"Name", &result.agent},
        {"Test", &result.test},           {"Time", &result.time},
        {"Errors", &result.errors},       {"Accuracy", &result.accuracy},
        {"Keystroke", &result.keystrokes}};
    for (const auto& [name, value] : fields)
        if (!rows->setValue(QLatin1String(name), *value))
            return false;
    return rows->Update();
}

} // namespace

QString summaryText(const QString& firstLine, const QString& currentDate, const Result& result) {
    const QStringList lines{firstLine,
                            QString(),
                            QStringLiteral("Date: ") + currentDate,
                            QStringLiteral("Agent: ") + result.agent,
                            QStringLiteral("Test: ") + result.test,
                            QStringLiteral("Errors: ") + result.errors,
                            QStringLiteral("Accuracy: ") + result.accuracy,
                            QStringLiteral("KeyStroke: ") + result.keystrokes,
                            QString(),
                            QString(),
                            QStringLiteral("Press Ok to Continue...")};
    return lines.join(QStringLiteral("\r\n"));
}

QString unsavedText(const Result& r) {
    return QStringLiteral("Date: %1\nAgent: %2\nTest: %3\nTime: %4\nErrors: %5\nAccuracy: %6\n"
                          "KeyStroke: %7")
        .arg(r.date, r.agent, r.test, r.time, r.errors, r.accuracy, r.keystrokes);
}

bool summariseAndStore(QWidget* window, const QString& firstLine,
                       const std::function<Result()>& currentResult, store::DataControl& view) {
    ui::messageBox(ui::Icon::Information,
                   summaryText(firstLine, platform::clock().dateText(), currentResult()),
                   QStringLiteral("Quil's Data Entry"), window);
    // Read again after the box: the clock went on while it was open.
    const Result result = currentResult();
    const ui::FinishedRow row{QStringLiteral("result"), QStringLiteral("unsaved-result"),
                              unsavedText(result)};
    // Refreshed when the window loaded and after every row stored since.
    if (!ui::storeOrRescue(view, row, ui::FirstAttempt::Store,
                           [&] { return storeRow(view, result); }))
        return false;
    // The row is stored; a failing refresh must not report it as lost.
    return ui::notCaught(view.Refresh(), view);
}

} // namespace exam
