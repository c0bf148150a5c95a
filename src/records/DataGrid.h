#pragma once

#include <QList>
#include <QTableView>

class QLabel;
class QStyledItemDelegate;

// A data grid of the admin window: a caption bar over the grid, a record selector at the left
// of each row (click one, or drag or Shift-click over several, to select whole rows), in-place
// editing of the columns that are not locked, and Del to delete the selected whole rows. An
// edited row is stored when the user leaves it.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    // geometry (in pixels) holds the caption bar and the grid below it.
    DataGrid(QWidget* parent, const char* name, const QString& caption, QRect geometry);

    QLabel* caption() const { return captionBar; }

    // A locked column shows its values but opens no editor. False for a column the grid does
    // not have.
    bool lockColumn(int column);
    bool isColumnLocked(int column) const;

    // The rows whose every cell is selected, top to bottom.
    QList<int> selectedWholeRows() const;

    // The caption bar shows and hides with the grid.
    void setVisible(bool visible) override;

signals:
    void deleteRequested(const QList<int>& rows);
    // A row could not be stored; the model's lastError says why.
    void storeFailed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void storeRow();

    QLabel* captionBar;
    QStyledItemDelegate* locked;
};
