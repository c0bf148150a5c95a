#include "exam/NumericPanel.h"

#include "core/NumericContent.h"
#include "exam/EntryField.h"
#include "ui/Accessible.h"
#include "ui/Twips.h"

#include <QLabel>

namespace exam {
namespace {
constexpr int kLabelLeft[] = {600, 2400, 4200, 6000, 7680};
constexpr int kLabelTop[] = {120, 600, 1080, 1560};
constexpr int kFieldLeft[] = {120, 1920, 3720, 5520, 7200};
constexpr int kFieldTop[] = {120, 840, 1560, 2280};

// For screen readers: each field by its number, each reference label its field's buddy.
void linkForScreenReaders(const NumericPanel& panel) {
    for (int k = 0; k < kNumericFields; ++k) {
        const QString of = QStringLiteral("%1 of %2").arg(k + 1).arg(kNumericFields);
        ui::describe({panel.fields[k], QStringLiteral("Numeric entry ") + of,
                      QStringLiteral("Type reference ") + of});
        panel.references[k]->setBuddy(panel.fields[k]);
        panel.references[k]->setAccessibleDescription(QStringLiteral("Reference ") + of);
    }
}

} // namespace

NumericPanel buildNumericPanel(QWidget* referencePanel, QWidget* fieldFrame, QWidget* done) {
    NumericPanel panel;
    for (int k = 0; k < kNumericFields; ++k) {
        const int row = k / 5;
        const int column = k % 5;
        auto* reference = new QLabel(referencePanel);
        reference->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        reference->setGeometry(twipsRect(kLabelLeft[column], kLabelTop[row], 975, 375));
        reference->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        panel.references.append(reference);

        auto* field = new EntryField(QStringLiteral("Text%1").arg(k + 1), reference, kNumericLimit,
                                     fieldFrame);
        field->setGeometry(twipsRect(kFieldLeft[column], kFieldTop[row], 1095, 375));
        field->setAlignment(Qt::AlignCenter);
        panel.fields.append(field);
    }
    // Text20 keeps the focus when full.
    for (int k = 0; k + 1 < kNumericFields; ++k)
        panel.fields[k]->setSuccessor(panel.fields[k + 1]);
    for (int k = kNumericFields - 1; k > 0; --k)
        QWidget::setTabOrder(panel.fields[k], panel.fields[k - 1]);
    QWidget::setTabOrder(panel.fields.first(), done);
    linkForScreenReaders(panel);
    return panel;
}

} // namespace exam
