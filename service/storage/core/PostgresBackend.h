#ifndef POSTGRESBACKEND_H
#define POSTGRESBACKEND_H

#include "storage/core/SqlBackend.h"

#include <QHash>
#include <QSet>

struct pg_conn;
struct pg_result;

// PostgreSQL through libpq, for several service instances sharing one database. Values go as
// text parameters whose types the server infers from where they stand; results come back typed
// as SQLite's would (integers, doubles, texts, NULL). A lost connection is opened again once,
// outside a transaction.
class PostgresBackend : public SqlBackend
{
public:
    PostgresBackend() = default;
    ~PostgresBackend() override;
    PostgresBackend(const PostgresBackend&) = delete;
    PostgresBackend& operator=(const PostgresBackend&) = delete;

    // A "postgresql://" or "postgres://" address.
    static bool isLocator(const QString& locator);

    bool open(const QString& locator, QString* error) override;
    bool run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows,
             QString* error) override;
    qint64 lastInsertId() const override { return m_lastInsertId; }
    int changes() const override { return m_changes; }
    QStringList beginWrite() const override;
    QStringList tableNames() override;
    QStringList columnNames(const QString& table) override;
    bool idsWritten(QString* error) override;
    bool neverReuseIds(QString* error) override;
    bool setReferenceChecks(bool on, QString* error) override;

private:
    pg_result* execute(const QString& sql, const QVariantList& values, bool typed);
    // Whether a failed result is the server being out of reach.
    bool unreachable(const pg_result* result) const;
    bool readResult(pg_result* result, QList<QVariantMap>* rows, int maxRows, QString* error);
    QString translated(const QString& sql);
    // The tables whose id numbers itself, so an INSERT can hand back the new id. Read again,
    // lazily, after a statement changed the schema.
    void readIdentityTables();

    pg_conn* m_conn = nullptr;
    QHash<QString, QString> m_translated;
    QSet<QString> m_identityTables;
    bool m_identityStale = false;
    qint64 m_lastInsertId = 0;
    int m_changes = 0;
    bool m_inTransaction = false;
};

#endif // POSTGRESBACKEND_H
