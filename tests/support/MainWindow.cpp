#include "support/MainWindow.h"
#include "core/IdleSelector.h"

#include "app/frmEntry.h"
#include "exam/EntryField.h"
#include "ui/Windows.h"
#include "ui/frmTu.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace quiltest {

MainWindow::MainWindow() {
    seams.createDatabase();
    window = std::make_unique<frmEntry>();
    window->Form_Load();
    window->Timer1->stop();
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the main window did not become active");
}

MainWindow::~MainWindow() {
    delete Windows::find<frmTu>();
    window.reset();
}

void MainWindow::type(const QList<EntryField*>& fields, const QStringList& entries) {
    for (int k = 0; k < entries.size() && k < fields.size(); ++k)
        if (!entries[k].isEmpty())
            QTest::keyClicks(fields[k], entries[k]);
}

} // namespace quiltest
