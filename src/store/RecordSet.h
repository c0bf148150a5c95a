#pragma once

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace store {

// The record set behind a data control: a cursor over one table in key order. It keeps no
// statement open between calls (it remembers the key of its current row), so holding it for a
// whole run never pins an old snapshot of the file or blocks another connection.
class RecordSet {
public:
    RecordSet(QSqlDatabase db, QString table);

    bool MoveFirst();
    bool MoveNext();
    bool atEOF() const { return eof; }

    // Field values of the current row by name (case-insensitive). A Null value is an invalid
    // QVariant. In add mode, the values set so far.
    QVariant Value(const QString& field) const;
    bool setValue(const QString& field, const QString& text);

    // Starts a new row; Update stores it (or, outside add mode, the changed fields of the
    // current row) and makes it the current row.
    void AddNew();
    bool Update();

    // Moves to the first row, from the current one on, whose field equals value exactly.
    // The value is bound, never pasted into SQL. No match leaves the set at EOF.
    bool Find(const QString& field, const QString& value);

    QString error() const { return lastError; }

private:
    // ... implementation detail
    bool fail(const QString& text);
    bool loadColumns();
    QString columnName(const QString& field); // the table's own spelling; empty when unknown
    // Makes the first row (in key order) that meets condition the current one, or sets EOF.
    bool fetchRow(const QString& condition, const QVariantList& values);
    bool fileUnchanged();
    bool insertPending();
    bool updatePending();
    void clearPending();

    QSqlDatabase db;
    QString table;
    QSqlRecord current;
    qint64 currentKey = 0;
    bool eof = true;
    bool adding = false;
    QStringList pendingNames;
    QStringList pendingValues;
    QString lastError;
    QStringList columns; // the table's columns, read once
    QString filePath;    // the file open on db
};

} // namespace store
