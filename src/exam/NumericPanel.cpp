// The Numeric test's reference labels and entry fields: four rows of five, numbered row by
// row from the top left.
#include "app/frmEntry.h"

#include "core/NumericContent.h"
#include "exam/EntryField.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kLabelLeft[] = {600, 2400, 4200, 6000, 7680};
constexpr int kLabelTop[] = {120, 600, 1080, 1560};
constexpr int kFieldLeft[] = {120, 1920, 3720, 5520, 7200};
constexpr int kFieldTop[] = {120, 840, 1560, 2280};
} // namespace

void frmEntry::createNumericPanel() {
    for (int k = 0; k < exam::kNumericFields; ++k) {
        const int row = k / 5;
        const int column = k % 5;
        auto* reference = new QLabel(picNumb);
        reference->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        reference->setGeometry(twipsRect(kLabelLeft[column], kLabelTop[row], 975, 375));
        reference->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        numericReferences.append(reference);

        auto* field = new EntryField(QStringLiteral("Text%1").arg(k + 1), reference,
                                     exam::kNumericLimit, picTx);
        field->setGeometry(twipsRect(kFieldLeft[column], kFieldTop[row], 1095, 375));
        field->setAlignment(Qt::AlignCenter);
        numericFields.append(field);
    }
    // Each full field hands the focus on to the next; Text20 keeps it.
    for (int k = 0; k + 1 < exam::kNumericFields; ++k)
        numericFields[k]->setSuccessor(numericFields[k + 1]);
    // Tab runs from Text20 down to Text1, then on to Done.
    for (int k = exam::kNumericFields - 1; k > 0; --k)
        setTabOrder(numericFields[k], numericFields[k - 1]);
    setTabOrder(numericFields.first(), Command1);
}
