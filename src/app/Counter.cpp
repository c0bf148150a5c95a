#include "app/Counter.h"

#include "app/NumberText.h"

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
