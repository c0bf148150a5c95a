#pragma once

#include <QList>
#include <QRect>
#include <utility>

class QTableView;
class QWidget;

namespace store {
class DataControl;
}

namespace records {

// The grid of a list window: one heading row of field names, no row headings, read-only.
QTableView* listGrid(QWidget* parent, const char* name, QRect geometry);

// Shows the data control's table in the grid, newest row first: the database orders by the
// key and the grid reads rows as it scrolls, so a big table opens as fast as a small one.
// Call before the control's Refresh, which fills the grid.
void bindNewestFirst(QTableView* grid, store::DataControl& control);

// Sets column widths in twips, in the order given; a width of 0 hides the column.
void setColumnWidths(QTableView* grid, const QList<std::pair<int, int>>& twipWidths);

} // namespace records
