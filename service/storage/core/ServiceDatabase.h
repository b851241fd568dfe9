#ifndef SERVICEDATABASE_H
#define SERVICEDATABASE_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <atomic>
#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

class SqlBackend;

// The service's store: the connection, the schema and the queries that several areas share. An
// SQLite file by default, or a PostgreSQL database that several service instances share; the
// SQL is written once, with SQLite's types. Every value is bound. Safe to use from several
// threads: each thread gets a connection of its own, opened on its first statement and kept
// until the store closes, so the last error, the new id and an open transaction are the calling
// thread's.
class ServiceDatabase
{
public:
    ServiceDatabase();
    ~ServiceDatabase();
    ServiceDatabase(const ServiceDatabase&) = delete;
    ServiceDatabase& operator=(const ServiceDatabase&) = delete;

    // Opens an SQLite file (created when missing) or a "postgresql://" address and brings the
    // schema up to date.
    bool open(const QString& locator, QString* error);
    bool isSeeded();
    bool markSeeded();

    // Generic access for the route classes. On failure the error is kept in lastError() and
    // select() returns what it read so far (normally nothing).
    QList<QVariantMap> select(const QString& sql, const QVariantList& values = {});
    // The first row, or an empty map.
    QVariantMap selectOne(const QString& sql, const QVariantList& values = {});
    bool execute(const QString& sql, const QVariantList& values = {});
    // How many statements of the calling thread changed rows (INSERT, UPDATE, DELETE), ever; two
    // readings tell whether the work between them wrote anything.
    static quint64 writesOnThisThread();
    // The same for statements of the calling thread that failed: work that reads several times
    // tells whether any of its reads failed, not only the last.
    static quint64 failuresOnThisThread();
    // Runs the statements in turn (a schema, say); false at the first failure.
    template <std::size_t N>
    bool executeAll(const char* const (&statements)[N]);
    // A page size that takes every row.
    static constexpr qint64 kAllRows = std::numeric_limits<qint64>::max();
    // One page of a list: the columns of `from` (a table, its joins and its WHERE, with `values`
    // bound to its marks) in `order`, pageSize rows from page pageIndex (counted from 1), and in
    // *total the number of rows on all pages. A failure is kept in lastError().
    QList<QVariantMap> selectPage(const QString& columns, const QString& from, const QVariantList& values,
                                  const QString& order, qint64 pageIndex, qint64 pageSize, qint64* total);
    // Adds a row of `columns` (names from the code, never from a request) to table; the new id,
    // or 0 on failure.
    qint64 insert(const QString& table, const QVariantMap& columns);
    qint64 lastInsertId() const;
    int changes() const;
    // Runs work inside one transaction: committed when work returns true, rolled back otherwise.
    // Write transactions take turns, also with other processes that share the database.
    bool transaction(const std::function<bool()>& work);
    // The tables in the order they were created, and a table's columns, as the database says.
    QStringList tableNames();
    QStringList columnNames(const QString& table);
    // After rows were written with their ids given, new rows number on from the largest id.
    bool idsWritten();
    // Makes sure that no id is ever handed out twice; a schema step.
    bool neverReuseIds();
    QString lastError() const;
    // Whether a statement of the calling thread found the database out of reach (stopped, locked,
    // unreadable) since the last clearUnreachable(): the router then answers that the service is
    // unavailable, whatever the handler made of the failure.
    bool unreachable() const;
    void clearUnreachable();

    // A user joined with company, city, job and store, or an empty map.
    QVariantMap userByPhone(const QString& phone);
    QVariantMap userById(qint64 userId);
    // A company joined with its city, or an empty map.
    QVariantMap company(const QString& companyId);

private:
    struct Connection
    {
        std::unique_ptr<SqlBackend> backend;
        QString lastError;
        bool unreachable = false;
    };

    // The calling thread's connection, opened when new; its backend stays empty while it cannot
    // open, with the reason in lastError.
    Connection& connection() const;
    // Opens own's backend when it has none; false, with the reason in its lastError, when it cannot.
    bool opened(Connection& own) const;
    std::unique_ptr<SqlBackend> makeBackend() const;
    bool run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows);
    QVariantMap userWhere(const QString& condition, const QVariant& value);

    QString m_locator;
    std::atomic<bool> m_open{false};
    // Tells the connections of this store, opened this time, from those of any other.
    quint64 m_serial;
    mutable std::mutex m_connectionsMutex;
    mutable std::unordered_map<std::thread::id, std::unique_ptr<Connection>> m_connections;
};

template <std::size_t N>
bool ServiceDatabase::executeAll(const char* const (&statements)[N])
{
    for (const char* statement : statements) {
        if (!execute(QString::fromUtf8(statement)))
            return false;
    }
    return true;
}

#endif // SERVICEDATABASE_H
