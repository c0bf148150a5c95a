#pragma once

#include <QLineEdit>

class QLabel;

// One entry field of a test. It is told its reference label, its limit and its successor:
// it moves the focus to the successor when its text reaches the limit, refuses Backspace, and
// on losing the focus turns red when its text differs from the reference (black when equal).
class EntryField : public QLineEdit {
    Q_OBJECT
public:
    EntryField(const QString& name, QLabel* reference, int limit, QWidget* parent);

    void setSuccessor(EntryField* next) { successor = next; }
    QLabel* referenceLabel() const { return reference; }
    // Exact comparison: character by character, case-sensitive.
    bool matchesReference() const;
    QColor textColour() const;

public slots:
    void Change();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QLabel* reference;
    EntryField* successor = nullptr;
};
