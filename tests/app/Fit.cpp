#include "Fit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTableView>

namespace fittest {
namespace {

// A label paints only its text, unless it fills its background or shows a picture.
bool paintsOver(const QWidget* above) {
    const auto* label = qobject_cast<const QLabel*>(above);
    return !label || above->autoFillBackground() || !label->pixmap().isNull();
}

Room placeIn(const QWidget* control, const QRect& text) {
    Room room{text, control->rect(), {}};
    QPoint offset; // of the current widget in the control's coordinates
    for (const QWidget* w = control; !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        offset -= w->pos();
        room.visible &= parent->rect().translated(offset);
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            const auto* above = qobject_cast<const QWidget*>(siblings.at(i));
            if (above && !above->isWindow() && !above->isHidden() && paintsOver(above))
                room.covers.append(above->geometry().translated(offset));
        }
    }
    return room;
}

// A line of text in the font, placed in within: as wide as it advances, as tall as its ink.
QRect line(const QWidget* control, const QFont& font, Qt::Alignment alignment, const QString& text,
           const QRect& within) {
    const QFontMetrics metrics(font);
    const QRect box = QStyle::alignedRect(control->layoutDirection(), alignment,
                                          metrics.size(Qt::TextShowMnemonic, text), within);
    const QRect ink = metrics.tightBoundingRect(text);
    return QRect(box.left(), box.top() + metrics.ascent() + ink.top(), box.width(), ink.height());
}

} // namespace

bool Room::fits() const {
    if (!visible.contains(text))
        return false;
    for (const QRect& cover : covers)
        if (cover.intersects(text))
            return false;
    return true;
}

QString Room::why() const {
    const auto show = [](const QRect& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QString text = QStringLiteral("the text takes %1, the control shows %2")
                       .arg(show(this->text), show(visible));
    for (const QRect& cover : covers)
        if (cover.intersects(this->text))
            text += QStringLiteral(", covered at %1").arg(show(cover));
    return text;
}

namespace {

Room labelRoom(QLabel* label, const QString& text) {
    const QFontMetrics metrics(label->font());
    QRect contents = label->contentsRect().marginsRemoved(
        QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
    if (label->indent() < 0 && label->frameWidth() > 0)
        contents.adjust(metrics.horizontalAdvance(QLatin1Char('x')) / 2, 0,
                        -metrics.horizontalAdvance(QLatin1Char('x')) / 2, 0);
    if (label->wordWrap()) {
        // The lines' boxes, less the room above the first line's ink and below the last's.
        const QRect ink = metrics.tightBoundingRect(text);
        return placeIn(
            label,
            metrics.boundingRect(contents, int(label->alignment()) | Qt::TextWordWrap, text)
                .adjusted(0, metrics.ascent() + ink.top(), 0, ink.bottom() - metrics.descent()));
    }
    return placeIn(label, line(label, label->font(), label->alignment(), text, contents));
}

Room buttonRoom(QAbstractButton* button, const QString& text) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    const bool radio = qobject_cast<QRadioButton*>(button);
    if (auto* push = qobject_cast<QPushButton*>(button); push && push->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    const QRect contents = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
    const Qt::Alignment alignment = radio ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    return placeIn(button, line(button, button->font(), alignment, text, contents));
}

Room groupBoxRoom(QGroupBox* box, const QString& text) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = text;
    option.lineWidth = 1;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    return placeIn(box, label);
}

Room fieldRoom(QLineEdit* field, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, field)
                                         : 0;
    // Qt's line edit keeps 2 pixels beside its text and 1 above and below.
    const QRect contents = field->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, field)
                               .marginsRemoved(field->textMargins())
                               .adjusted(2, 1, -2, -1);
    return placeIn(field, line(field, field->font(), field->alignment(), text, contents));
}

int columnOf(QTableView* grid, const QString& heading) {
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == heading)
            return c;
    qFatal("no column headed \"%s\" in %s", qPrintable(heading), qPrintable(grid->objectName()));
}

} // namespace

Room roomFor(QWidget* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return labelRoom(label, text);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return buttonRoom(button, text);
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return groupBoxRoom(box, text);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return fieldRoom(combo->lineEdit(), text);
    if (auto* field = qobject_cast<QLineEdit*>(control))
        return fieldRoom(field, text);
    qFatal("no text room known for %s", control->metaObject()->className());
}

Room headingRoom(QTableView* grid, const QString& heading) {
    QHeaderView* header = grid->horizontalHeader();
    const int column = columnOf(grid, heading);
    QStyleOptionHeader option;
    option.initFrom(header);
    option.text = heading;
    option.section = column;
    option.fontMetrics = header->fontMetrics();
    const QSize needed =
        header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header);
    const QRect section(0, 0, header->sectionSize(column), header->height());
    return {QRect(QPoint(), QSize(needed.width(), 1)), section, {}};
}

Room cellRoom(QTableView* grid, const QString& columnHeading, const QString& text) {
    const int column = columnOf(grid, columnHeading);
    // A cell keeps the focus frame's margin and one pixel beside its text.
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const QRect cell(0, 0, grid->columnWidth(column), grid->verticalHeader()->defaultSectionSize());
    const QSize size(grid->fontMetrics().horizontalAdvance(text) + 2 * margin,
                     grid->fontMetrics().height());
    return {QRect(QPoint(), size), cell, {}};
}

} // namespace fittest
