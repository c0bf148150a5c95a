#pragma once

// A plain connection of the tests' own to a database file, beside the store's code, to look
// at what really is in the file; and the database's layout written out by hand, so that a
// slip in the schema code shows.

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace storetest {

class RawDatabase {
public:
    // path must exist: a plain connection would create a missing file.
    explicit RawDatabase(const QString& path) : name(QStringLiteral("raw-%1").arg(++counter())) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot open %s: %s", qPrintable(path), qPrintable(db.lastError().text()));
    }
    ~RawDatabase() {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }

    // Every row of the statement's result; the statement must succeed.
    QList<QVariantList> rows(const QString& sql, const QVariantList& values = {}) const {
        QSqlQuery query(db());
        if (!query.prepare(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        QList<QVariantList> result;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << (query.isNull(i) ? QVariant() : query.value(i));
            result << row;
        }
        return result;
    }
    QVariant value(const QString& sql, const QVariantList& values = {}) const {
        const QList<QVariantList> all = rows(sql, values);
        return all.isEmpty() ? QVariant() : all.first().value(0);
    }
    void exec(const QString& sql, const QVariantList& values = {}) const { rows(sql, values); }

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
    QString name;
};

struct ExpectedTable {
    QString name;
    QStringList columns; // after ID
};

inline const QList<ExpectedTable>& expectedTables() {
    static const QList<ExpectedTable> tables = {
        {QStringLiteral("tblNew"), {QStringLiteral("Name")}},
        {QStringLiteral("tblRem"),
         {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Name"),
          QStringLiteral("Test"), QStringLiteral("Errors"), QStringLiteral("Accuracy"),
          QStringLiteral("Keystroke")}},
        {QStringLiteral("tblSystem"),
         {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Elapsed"),
          QStringLiteral("LastAgent")}},
        {QStringLiteral("tblAdm"), {QStringLiteral("Password")}},
    };
    return tables;
}

// Empty when the file holds exactly the four tables, each an autonumbered integer key "ID"
// followed by its TEXT columns in order; otherwise what differs.
inline QString schemaMismatch(const RawDatabase& raw) {
    QStringList expectedNames;
    for (const ExpectedTable& table : expectedTables())
        expectedNames << table.name;
    QStringList names;
    const auto tableRows = raw.rows(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
        "ORDER BY name"));
    for (const QVariantList& row : tableRows)
        names << row.value(0).toString();
    expectedNames.sort();
    if (names != expectedNames)
        return QStringLiteral("tables %1").arg(names.join(QLatin1Char(',')));
    for (const ExpectedTable& table : expectedTables()) {
        QStringList columns;
        // cid, name, type, notnull, dflt_value, pk
        const auto info = raw.rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table.name));
        for (const QVariantList& column : info)
            columns << QStringLiteral("%1 %2%3").arg(
                column.value(1).toString(), column.value(2).toString(),
                column.value(5).toInt() ? QStringLiteral(" key") : QString());
        QStringList expected{QStringLiteral("ID INTEGER key")};
        for (const QString& column : table.columns)
            expected << column + QStringLiteral(" TEXT");
        if (columns != expected)
            return QStringLiteral("%1: %2").arg(table.name, columns.join(QLatin1Char(',')));
    }
    const QString sql =
        raw.value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'tblRem'")).toString();
    if (!sql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive))
        return QStringLiteral("keys are not autonumbered: ") + sql;
    return {};
}

} // namespace storetest
