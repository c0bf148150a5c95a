#include "records/ListGrid.h"

#include "store/DataControl.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QTableView>

namespace records {

QTableView* listGrid(QWidget* parent, const char* name, QRect geometry) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QLatin1String(name));
    grid->setGeometry(geometry);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setHighlightSections(false);
    return grid;
}

void bindNewestFirst(QTableView* grid, store::DataControl& control) {
    store::GridModel* model = control.model();
    model->setKeyOrder(Qt::DescendingOrder);
    grid->setModel(model);
}

void setColumnWidths(QTableView* grid, const QList<std::pair<int, int>>& twipWidths) {
    for (const auto& [column, width] : twipWidths) {
        if (width == 0) {
            grid->setColumnHidden(column, true);
        } else {
            grid->setColumnHidden(column, false);
            grid->setColumnWidth(column, twips(width));
        }
    }
}

} // namespace records
