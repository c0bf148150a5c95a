#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QTableView;
class QWidget;

namespace fittest {

// Where a text is drawn in a control (as wide as its advance, as tall as its ink), the part of
// the control that its window and parents show, and the controls stacked above it that paint
// over it. All in the control's own coordinates.
struct Room {
    QRect text;
    QRect visible;
    QList<QRect> covers;
    bool fits() const;
    QString why() const;
};

// The text as the control would draw it in place of its own: a label, a button, an option
// button, a frame's title or a text field.
Room roomFor(QWidget* control, const QString& text);

// The heading as the grid draws it in the column that carries it, or a cell text in the
// column named columnHeading; the visible part is the column.
Room headingRoom(QTableView* grid, const QString& heading);
Room cellRoom(QTableView* grid, const QString& columnHeading, const QString& text);

} // namespace fittest
