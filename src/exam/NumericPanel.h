#pragma once

#include <QList>

class EntryField;
class QLabel;
class QWidget;

namespace exam {

// The Numeric test's reference labels and entry fields, in field order.
struct NumericPanel {
    QList<QLabel*> references; // Label1 ... Label20
    QList<EntryField*> fields; // Text1 ... Text20
};

// Creates the reference labels into referencePanel and the entry fields into fieldFrame: four
// rows of five, numbered row by row from the top left. Each full field hands the focus on to the
// next; Tab runs from Text20 down to Text1, then on to done.
NumericPanel buildNumericPanel(QWidget* referencePanel, QWidget* fieldFrame, QWidget* done);

} // namespace exam
