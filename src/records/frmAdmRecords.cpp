// The admin window's records stage: its grids, the column treatment, deleting and storing.
#include "records/frmAdm.h"

#include "records/AdminPassword.h"
#include "records/Buttons.h"
#include "records/DataGrid.h"
#include "store/DataControl.h"
#include "store/GridModel.h"
#include "ui/MessageBox.h"
#include "ui/Twips.h"
#include "ui/clsOnTop.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlError>

namespace {

const QString kTitle = QStringLiteral("Quil's Data Entry");

QRadioButton* option(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

store::GridModel* gridModel(DataGrid* grid) {
    return qobject_cast<store::GridModel*>(grid->model());
}

} // namespace

void frmAdm::createRecordsStage() {
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(0, 0, 7575, 6135));
    Picture1->hide();
    DataGrid1 = new DataGrid(Picture1, "DataGrid1", QStringLiteral("REMARKS"),
                             twipsRect(120, 240, 7215, 1815));
    DataGrid2 = new DataGrid(Picture1, "DataGrid2", QStringLiteral("AGENTS"),
                             twipsRect(120, 2280, 7215, 1815));
    DataGrid3 = new DataGrid(Picture1, "DataGrid3", QStringLiteral("ADMIN PASSWORD"),
                             twipsRect(120, 4200, 3735, 1455));
    DataGrid3->hide();
    Label1 = new QLabel(QStringLiteral("To delete file: Select the data and press Del"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(4080, 4320, 3135, 615));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    Option1 = option(Picture1, "Option1", QStringLiteral("Hide Password"),
                     twipsRect(120, 5760, 1695, 255));
    Option1->setChecked(true);
    Option2 = option(Picture1, "Option2", QStringLiteral("Show Password"),
                     twipsRect(2040, 5760, 1695, 255));
    Command3 = records::grayButton(Picture1, "Command3", QStringLiteral("&Close"),
                                   twipsRect(6240, 5640, 1095, 375));
    connect(Option1, &QRadioButton::clicked, this, &frmAdm::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &frmAdm::Option2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmAdm::Command3_Click);

    bindGrid(DataGrid1, adolog);
    bindGrid(DataGrid2, adolog1);
    bindGrid(DataGrid3, adosearch);
    adosearch->model()->setEditCheck([this](int column, const QVariant& value) {
        if (column != adosearch->model()->fieldIndex(QStringLiteral("Password")))
            return QString();
        return records::passwordEditRefusal(value, Text1->maxLength());
    });
}

// Bound before the first Refresh, which fills the grid, newest row first. A grid built anew
// (after a deletion, a reload) gets the column treatment at once, before the user can see it.
void frmAdm::bindGrid(DataGrid* grid, store::DataControl* control) {
    store::GridModel* model = control->model();
    model->setKeyOrder(Qt::DescendingOrder);
    grid->setModel(model);
    connect(model, &QAbstractItemModel::modelReset, this, &frmAdm::Timer1_Timer);
    connect(model, &QAbstractItemModel::layoutChanged, this, &frmAdm::Timer1_Timer);
    connect(grid, &DataGrid::deleteRequested, this,
            [this, grid](const QList<int>& rows) { deleteRows(grid, rows); });
    connect(grid, &DataGrid::storeFailed, this, [this, grid] { reportStoreFailure(grid); });
}

void frmAdm::Timer1_Timer() {
    onTop().MakeTopMost(this);
    for (DataGrid* grid : {DataGrid1, DataGrid2, DataGrid3})
        grid->setColumnHidden(0, true);
    for (int column : {5, 4, 7, 6})
        DataGrid1->setColumnHidden(column, true);
    for (int column : {2, 3, 4, 5, 6, 7})
        DataGrid1->lockColumn(column);
    // The agents grid may have one column fewer: the step fails for it.
    for (int column : {1, 2})
        DataGrid2->lockColumn(column);
}

void frmAdm::Option1_Click() {
    DataGrid3->hide();
}

// The password column is not hidden: this shows the admin passwords in plain text.
void frmAdm::Option2_Click() {
    DataGrid3->show();
}

// Without a password row, the records stage could never be opened again.
void frmAdm::deleteRows(DataGrid* grid, const QList<int>& rows) {
    store::GridModel* model = gridModel(grid);
    if (!model)
        return;
    switch (model->deleteRows(rows, grid == DataGrid3)) {
    case store::GridModel::Deletion::Deleted:
        break;
    case store::GridModel::Deletion::LastRowKept:
        ui::messageBox(ui::Icon::Exclamation,
                       QStringLiteral("The last admin password cannot be deleted: without "
                                      "it the Admin window could not be opened again.\n\n"
                                      "Nothing was deleted."),
                       kTitle, this);
        break;
    case store::GridModel::Deletion::Failed:
        ui::messageBox(ui::Icon::Critical,
                       QStringLiteral("The selected rows could not be deleted.\n\nError: ") +
                           model->lastError().text(),
                       kTitle, this);
        break;
    }
}

// The edit is undone, so that the grid shows what the table holds.
void frmAdm::reportStoreFailure(DataGrid* grid) {
    store::GridModel* model = gridModel(grid);
    if (!model)
        return;
    const QString error = model->lastError().text();
    model->revertAll();
    ui::messageBox(ui::Icon::Critical,
                   QStringLiteral("The change could not be stored and has been undone.\n\n"
                                  "Error: ") +
                       error,
                   kTitle, this);
}
