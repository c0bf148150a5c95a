#include "ui/Counter.h"

#include "core/NumberText.h"

Counter::Counter(const QString& name, const QString& initial, QObject* parent)
    : QObject(parent), value(initial) {
    setObjectName(name);
}

double Counter::number() const {
    return numberValue(value);
}

void Counter::setNumber(double number) {
    value = numberText(number);
}
