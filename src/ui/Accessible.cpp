#include "ui/Accessible.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace ui {
namespace {

constexpr char kTimeDisplay[] = "quilTimeDisplay";

// A label whose name stays put while its text changes. Qt's own interface for a label takes the
// text as the name when none is set, and sends a name change with every new text; this one
// keeps the name and gives the text as the label's value and its (read-only) text.
class TimeDisplay final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TimeDisplay(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? shown() : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(int startOffset, int endOffset) const override {
        return shown().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(shown().size()); }
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return QString();
    }

private:
    QString shown() const { return static_cast<const QLabel*>(object())->text(); }
};

QAccessibleInterface* timeDisplays(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->property(kTimeDisplay).toBool())
        return new TimeDisplay(label);
    return nullptr;
}

} // namespace

void describe(const AccessibleText& control) {
    if (control.control->accessibleName() != control.name)
        control.control->setAccessibleName(control.name);
    if (control.control->accessibleDescription() != control.description)
        control.control->setAccessibleDescription(control.description);
}

void describe(std::initializer_list<AccessibleText> controls) {
    for (const AccessibleText& control : controls)
        describe(control);
}

void describeTimeDisplay(QLabel* label, const QString& name, const QString& description) {
    static const bool installed = (QAccessible::installFactory(timeDisplays), true);
    Q_UNUSED(installed);
    label->setProperty(kTimeDisplay, true);
    // A screen reader running while the label was made may have had Qt's interface made for it
    // already; it gives way to the label's own.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
    if (made && !dynamic_cast<TimeDisplay*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    // With a name of its own, the label sends nothing when its text changes.
    describe({label, name, description});
}

} // namespace ui
