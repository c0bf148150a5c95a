#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace quiltest {

// A connection of the test's own to a PostgreSQL server, open while the object lives.
class ServerConnection {
public:
    explicit ServerConnection(const QString& uri);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    bool isOpen() const { return open; }
    // Why it did not open, or why the last statement failed.
    QString error() const { return failure; }

    // Runs the statement; false with error() set.
    bool exec(const QString& sql);
    // Every row of the statement's result, each value as text (null: a null QString); empty
    // with error() set when it fails.
    QList<QStringList> rows(const QString& sql);

private:
    QString name;
    bool open = false;
    QString failure;
};

} // namespace quiltest
