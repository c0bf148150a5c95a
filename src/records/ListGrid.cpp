#include "records/ListGrid.h"

#include "store/DataControl.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QTableView>

namespace records {
namespace {

constexpr int kDefaultColumnWidth = 1050; // twips

} // namespace

QTableView* listGrid(QWidget* parent, const char* name, QRect geometry) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QLatin1String(name));
    grid->setGeometry(geometry);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A text wider than its column is cut on its one line: a second line would be cut through
    // by the row's height.
    grid->setWordWrap(false);
    // A column never given a width takes the grid's default: 1050 twips hold a short date in
    // its widest usual form ("28 Sep 2026"), and the given widths and a vertical scroll bar
    // still fit beside it (Qt's own 100 pixels overflow the results grid, which then needs a
    // horizontal scroll bar).
    grid->horizontalHeader()->setDefaultSectionSize(twips(kDefaultColumnWidth));
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
