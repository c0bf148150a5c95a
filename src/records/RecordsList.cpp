#include "records/RecordsList.h"

#include "core/ConnectionString.h"
#include "platform/ProgramFolder.h"
#include "records/Buttons.h"
#include "records/ListGrid.h"
#include "store/DataControl.h"
#include "ui/ErrorPolicy.h"
#include "ui/Fonts.h"
#include "ui/clsOnTop.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>

RecordsList::RecordsList(Form given)
    : QWidget(nullptr, Qt::Dialog), source(new store::DataControl(this)), form(std::move(given)) {
    setObjectName(QLatin1String(form.name));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(form.caption);
    setFont(tahoma(8.25));
    setFixedSize(form.client);

    MSHFlexGrid1 = records::listGrid(this, "MSHFlexGrid1", form.grid);
    Command1 = records::grayButton(this, "Command1", form.closeCaption, form.close);
    Command1->setDefault(form.closeIsDefault);
    connect(Command1, &QPushButton::clicked, this, &RecordsList::Command1_Click);
    source->setObjectName(QLatin1String(form.controlName));
}

void RecordsList::Form_Load() {
    onTop().MakeTopMost(this);
    const QString folder = platform::programFolder();
    source->setConnectionString(form.connectionFormB ? store::connectionStringB(folder)
                                                     : store::connectionStringA(folder));
    source->setRecordSource(QStringLiteral("Select * from ") + form.table);
    records::bindNewestFirst(MSHFlexGrid1, *source);
    if (!ui::notCaught(source->Refresh(), *source))
        return;
    records::setColumnWidths(MSHFlexGrid1, form.columnWidths);
}

void RecordsList::Command1_Click() {
    close();
}

void RecordsList::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void RecordsList::keyPressEvent(QKeyEvent* event) {
    // Escape leaves the window the way its button does.
    if (event->matches(QKeySequence::Cancel)) {
        Command1->click();
        return;
    }
    if (form.closeIsDefault && records::pressDefault(event, Command1))
        return;
    QWidget::keyPressEvent(event);
}
