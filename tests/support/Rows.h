#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quiltest {

// Every row of a table, in key order, each as its named columns' texts (the key left out),
// read through a connection of its own.
QList<QStringList> rows(const QString& databasePath, const QString& table);

// Runs one statement through a connection of its own; fails the test when it fails.
void execute(const QString& databasePath, const QString& statement);

} // namespace quiltest
