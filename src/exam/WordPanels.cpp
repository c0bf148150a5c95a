// The word tests' panels: the reference panel above, the entry panel below, arranged alike.
// Name, course and year on the top row; the six subjects in two columns of three under their
// heading; slots 10 to 12 stacked on the right; Done at the bottom right of the entry panel.
#include "exam/WordPanels.h"

#include "core/WordContent.h"
#include "exam/EntryField.h"
#include "ui/Accessible.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace exam {
namespace {

// Where one panel puts its slots, in twips. Captions sit left of their slot's value.
struct PanelGrid {
    int topRow;  // name, course, year
    int heading; // "Subjects:"
    int rows[3]; // the subject rows, and slots 10 to 12 on the right
    int height;  // of a value (label or field)
};

constexpr PanelGrid kReferenceGrid{120, 510, {840, 1170, 1500}, 300};
constexpr PanelGrid kEntryGrid{240, 780, {1140, 1650, 2160}, 375};

// Columns of the top row (caption left, value left, value width) and of the grid. A caption
// reaches to just before its value.
constexpr int kTopCaption[] = {180, 3720, 5580};
constexpr int kTopValue[] = {1020, 4620, 6240};
constexpr int kTopWidth[] = {2580, 840, 1200};
constexpr int kSubjectLeft[] = {180, 2280};
constexpr int kSubjectWidth = 1980;
constexpr int kRightCaption = 4500;
constexpr int kRightValue = 5880;
constexpr int kRightWidth = 3180;
constexpr int kGap = 60;

// The place of slot k (0 to 11) in a panel laid out on grid.
QRect slotRect(const PanelGrid& grid, int k) {
    if (k < 3)
        return twipsRect(kTopValue[k], grid.topRow, kTopWidth[k], grid.height);
    if (k < 9) {
        const int subject = k - 3;
        return twipsRect(kSubjectLeft[subject % 2], grid.rows[subject / 2], kSubjectWidth,
                         grid.height);
    }
    return twipsRect(kRightValue, grid.rows[k - 9], kRightWidth, grid.height);
}

QLabel* caption(QWidget* panel, int number, const QString& text, QRect place) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// The seven captions of a panel: Name, Course, Year, Subjects, then slots 10 to 12 (returned).
QList<QLabel*> captions(QWidget* panel, const PanelGrid& grid, int firstNumber, int slotNumber) {
    const QString top[] = {QStringLiteral("Name:"), QStringLiteral("Course:"),
                           QStringLiteral("Year:")};
    for (int i = 0; i < 3; ++i)
        caption(panel, firstNumber + i, top[i],
                twipsRect(kTopCaption[i], grid.topRow, kTopValue[i] - kTopCaption[i] - kGap,
                          grid.height));
    caption(panel, firstNumber + 3, QStringLiteral("Subjects:"),
            twipsRect(kSubjectLeft[0], grid.heading, kSubjectWidth, grid.height));
    QList<QLabel*> slotCaptions;
    for (int i = 0; i < 3; ++i)
        slotCaptions.append(caption(panel, slotNumber + i, QString(),
                                    twipsRect(kRightCaption, grid.rows[i],
                                              kRightValue - kRightCaption - kGap, grid.height)));
    return slotCaptions;
}

// For screen readers: each caption and reference label is its field's buddy ("Subjects:" that of
// the first subject), each reference says which one it is, Done what it scores.
void linkForScreenReaders(const WordPanels& panels, QWidget* entryPanel) {
    for (int k = 0; k < 4; ++k)
        entryPanel->findChild<QLabel*>(QStringLiteral("Label%1").arg(46 + k))
            ->setBuddy(panels.fields[k]);
    for (int i = 0; i < 3; ++i)
        panels.slotCaptions[3 + i]->setBuddy(panels.fields[9 + i]);
    for (int k = 0; k < kWordSlots; ++k) {
        panels.references[k]->setBuddy(panels.fields[k]);
        panels.references[k]->setAccessibleDescription(
            QStringLiteral("Reference %1 of %2").arg(k + 1).arg(kWordSlots));
    }
    ui::describe({panels.done, QStringLiteral("Done"),
                  QStringLiteral("Scores the Alpha or Alpha-Numeric test")});
    describeWordFields(panels.fields, panels.slotCaptions);
}

} // namespace

void describeWordFields(const QList<EntryField*>& fields, const QList<QLabel*>& slotCaptions) {
    const QString named[] = {QStringLiteral("Name"), QStringLiteral("Course"),
                             QStringLiteral("Year")};
    const QList<QLabel*> entryCaptions = slotCaptions.mid(slotCaptions.size() - 3);
    for (int k = 0; k < kWordSlots; ++k) {
        QString name;
        if (k < 3)
            name = named[k];
        else if (k < 9)
            name = QStringLiteral("Subject %1").arg(k - 2);
        else
            name = entryCaptions[k - 9]->text().remove(QLatin1Char(':'));
        // Slots 10 to 12 have no caption until the first word test starts.
        if (name.isEmpty())
            name = QStringLiteral("Entry %1").arg(k + 1);
        ui::describe({fields[k], name,
                      QStringLiteral("Type reference %1 of %2").arg(k + 1).arg(kWordSlots)});
    }
}

WordPanels buildWordPanels(QWidget* referencePanel, QWidget* entryPanel) {
    WordPanels panels;
    panels.slotCaptions = captions(referencePanel, kReferenceGrid, 27, 40);
    panels.slotCaptions += captions(entryPanel, kEntryGrid, 46, 50);

    for (int k = 0; k < kWordSlots; ++k) {
        const WordSlot& slot = kWordSlotTable[k];
        auto* reference = new QLabel(referencePanel);
        reference->setObjectName(QLatin1String(slot.reference));
        reference->setGeometry(slotRect(kReferenceGrid, k));
        reference->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panels.references.append(reference);

        auto* field =
            new EntryField(QStringLiteral("Text%1").arg(21 + k), reference, slot.limit, entryPanel);
        field->setGeometry(slotRect(kEntryGrid, k));
        panels.fields.append(field);
    }
    for (int k = 0; k + 1 < kWordSlots; ++k)
        panels.fields[k]->setSuccessor(panels.fields[k + 1]);

    panels.done = new QPushButton(QStringLiteral("Done"), entryPanel);
    panels.done->setObjectName(QStringLiteral("Command2"));
    panels.done->setGeometry(twipsRect(7680, 3120, 1335, 375));

    for (int k = 0; k + 1 < kWordSlots; ++k)
        QWidget::setTabOrder(panels.fields[k], panels.fields[k + 1]);
    QWidget::setTabOrder(panels.fields.last(), panels.done);
    linkForScreenReaders(panels, entryPanel);
    return panels;
}

} // namespace exam
