#pragma once

#include <QObject>
#include <QString>

// One piece of the main window's hidden state: a named text value read and written as number
// text. Every arithmetic step reads, computes and writes back at once.
class Counter : public QObject {
    Q_OBJECT
public:
    Counter(const QString& name, const QString& initial, QObject* parent);

    QString text() const { return value; }
    void setText(const QString& text) { value = text; }

    double number() const;
    void setNumber(double number);
    void add(double amount) { setNumber(number() + amount); }

private:
    QString value;
};
