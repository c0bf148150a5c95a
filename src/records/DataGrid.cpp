#include "records/DataGrid.h"

#include "ui/Twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kCaptionHeight = 255; // twips
constexpr int kSelectorWidth = 225; // twips

class LockedColumn final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        return nullptr;
    }
};

// Row headings without numbers: narrow buttons that select their row.
class RecordSelectors final : public QHeaderView {
public:
    explicit RecordSelectors(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
        setSectionsClickable(true);
        setHighlightSections(true);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = rect;
        option.section = logicalIndex;
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
    }
    QSize sectionSizeFromContents(int) const override {
        return QSize(twips(kSelectorWidth), defaultSectionSize());
    }
};

} // namespace

DataGrid::DataGrid(QWidget* parent, const char* name, const QString& caption, QRect geometry)
    : QTableView(parent), captionBar(new QLabel(caption, parent)), locked(new LockedColumn(this)) {
    setObjectName(QLatin1String(name));
    captionBar->setObjectName(QLatin1String(name) + QStringLiteral("Caption"));
    captionBar->setAlignment(Qt::AlignCenter);
    captionBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    captionBar->setAutoFillBackground(true);
    captionBar->setBackgroundRole(QPalette::Button);
    const int bar = twips(kCaptionHeight);
    captionBar->setGeometry(geometry.x(), geometry.y(), geometry.width(), bar);
    setGeometry(geometry.adjusted(0, bar, 0, 0));

    setVerticalHeader(new RecordSelectors(this));
    // A text wider than its column is cut on its one line, never wrapped onto a second one
    // that the row's height would cut through.
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(DoubleClicked | SelectedClicked | EditKeyPressed | AnyKeyPressed);
}

bool DataGrid::lockColumn(int column) {
    if (!model() || column < 0 || column >= model()->columnCount())
        return false;
    if (itemDelegateForColumn(column) != locked)
        setItemDelegateForColumn(column, locked);
    return true;
}

bool DataGrid::isColumnLocked(int column) const {
    return itemDelegateForColumn(column) == locked;
}

QList<int> DataGrid::selectedWholeRows() const {
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DataGrid::setVisible(bool visible) {
    QTableView::setVisible(visible);
    captionBar->setVisible(visible);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        const QList<int> rows = selectedWholeRows();
        if (!rows.isEmpty())
            emit deleteRequested(rows);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Leaving a row stores it, also when its editor was closed already. The view would store it
// too, a moment later, but without looking at the result.
void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (previous.isValid() && current.row() != previous.row())
        storeRow();
}

// The views store a row when an editor closes that way; here the result is looked at.
void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool store = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, store ? QAbstractItemDelegate::NoHint : hint);
    if (store)
        storeRow();
}

void DataGrid::storeRow() {
    if (model() && !model()->submit())
        emit storeFailed();
}
