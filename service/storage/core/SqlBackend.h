#ifndef SQLBACKEND_H
#define SQLBACKEND_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// One database engine behind ServiceDatabase. The service's SQL is written once, with "?" marks
// and SQLite's types; a backend runs it as its engine needs. Values are always bound.
class SqlBackend
{
public:
    virtual ~SqlBackend() = default;

    // Opens the connection; the locator is a file path or a connection address.
    virtual bool open(const QString& locator, QString* error) = 0;
    // Runs one statement. When rows is given, up to maxRows rows (all when negative) land in it.
    virtual bool run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows,
                     QString* error) = 0;
    // The id of the row the last INSERT added, and the rows the last INSERT, UPDATE or DELETE changed.
    virtual qint64 lastInsertId() const = 0;
    virtual int changes() const = 0;
    // Opens a transaction that no other writer, in this process or another, runs beside.
    virtual QStringList beginWrite() const = 0;
    // The tables, in the order they were created (so those referred to come first).
    virtual QStringList tableNames() = 0;
    virtual QStringList columnNames(const QString& table) = 0;
    // After rows were written with their ids given (seeding, importing), new rows number on
    // from the largest id.
    virtual bool idsWritten(QString* error) = 0;
    // Rebuilds tables whose id may be handed out again after a delete so that it never is; run
    // inside the schema's transaction, with reference checks off.
    virtual bool neverReuseIds(QString* error) = 0;
    // Turns the checking of references on or off for this connection, outside a transaction.
    virtual bool setReferenceChecks(bool on, QString* error) = 0;
    // Whether the last failure (of open or run) was the database being out of reach (stopped,
    // locked, unreadable, disk full) rather than the statement or its values.
    bool unreachable() const { return m_unreachable; }

    // A table or column name quoted for pasting into SQL; both engines read "name" so.
    static QString quotedName(const QString& name)
    {
        QString quoted = name;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    }

protected:
    bool m_unreachable = false;

    // The "name" column of a query's rows.
    QStringList names(const QString& sql, const QVariantList& values = {})
    {
        QList<QVariantMap> rows;
        QString error;
        run(sql, values, &rows, -1, &error);
        QStringList list;
        for (const QVariantMap& row : qAsConst(rows))
            list.append(row.value(QStringLiteral("name")).toString());
        return list;
    }
};

#endif // SQLBACKEND_H
