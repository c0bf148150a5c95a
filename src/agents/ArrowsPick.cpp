#include "agents/ArrowsPick.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>

namespace agents {
namespace {

class ArrowsToTheList final : public QObject {
public:
    ArrowsToTheList(QWidget& control, QComboBox& list) : QObject(&control), list(list) {
        control.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
        if (!arrow || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return QObject::eventFilter(watched, event);
        QCoreApplication::sendEvent(&list, key);
        return true;
    }

private:
    QComboBox& list;
};

} // namespace

void arrowsPickIn(QWidget& control, QComboBox& list) {
    new ArrowsToTheList(control, list);
}

} // namespace agents
