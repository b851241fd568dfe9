#ifndef SQLITEBACKEND_H
#define SQLITEBACKEND_H

#include "storage/core/SqlBackend.h"

#include <QHash>

struct sqlite3;
struct sqlite3_stmt;

// The embedded default: a connection to one SQLite file, which the service's threads (one
// connection each) and several processes share safely: WAL lets readers run beside the writer,
// writers wait their turn (a busy wait, immediate write transactions).
class SqliteBackend : public SqlBackend
{
public:
    SqliteBackend() = default;
    ~SqliteBackend() override;
    SqliteBackend(const SqliteBackend&) = delete;
    SqliteBackend& operator=(const SqliteBackend&) = delete;

    bool open(const QString& locator, QString* error) override;
    bool run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows,
             QString* error) override;
    qint64 lastInsertId() const override;
    int changes() const override;
    QStringList beginWrite() const override;
    QStringList tableNames() override;
    QStringList columnNames(const QString& table) override;
    bool idsWritten(QString* error) override;
    bool neverReuseIds(QString* error) override;
    bool setReferenceChecks(bool on, QString* error) override;

private:
    // The connection's statement for sql, prepared once and kept; nullptr when it does not
    // prepare (the caller then prepares it itself, for the error) or the cache is full.
    sqlite3_stmt* prepared(const QString& sql);

    sqlite3* m_db = nullptr;
    // A running service uses few distinct statements.
    QHash<QString, sqlite3_stmt*> m_statements;
};

#endif // SQLITEBACKEND_H
