#pragma once

#include <QList>

class EntryField;
class QLabel;
class QPushButton;
class QWidget;

namespace exam {

// The word tests' reference labels, entry fields, the captions that differ between the tests,
// and their Done button.
struct WordPanels {
    QList<QLabel*> references;   // lblname, lblcourse, lblyear, sub1 ... sub9
    QList<EntryField*> fields;   // Text21 ... Text32
    QList<QLabel*> slotCaptions; // Label40 ... Label42, then Label50 ... Label52
    QPushButton* done;           // Command2
};

// Creates the captions and reference labels into referencePanel, the captions, entry fields and
// Done into entryPanel. Each full field hands the focus on to the next; Tab runs from Text21 to
// Text32, then on to Done.
WordPanels buildWordPanels(QWidget* referencePanel, QWidget* entryPanel);

// Names the entry fields for screen readers after what they stand for; slots 10 to 12 after
// their captions on the entry panel (the last three of slotCaptions), as a test's start writes
// them.
void describeWordFields(const QList<EntryField*>& fields, const QList<QLabel*>& slotCaptions);

} // namespace exam
