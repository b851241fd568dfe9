#include "storage/core/SqliteBackend.h"

#include "storage/core/SqlStatement.h"

#include <sqlite3.h>

namespace {

const int kKeptStatements = 1024;

} // namespace

SqliteBackend::~SqliteBackend()
{
    for (sqlite3_stmt* statement : qAsConst(m_statements))
        sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
}

sqlite3_stmt* SqliteBackend::prepared(const QString& sql)
{
    const auto found = m_statements.constFind(sql);
    if (found != m_statements.constEnd())
        return *found;
    if (m_statements.size() >= kKeptStatements)
        return nullptr;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, text.constData(), text.size(), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    m_statements.insert(sql, statement);
    return statement;
}

bool SqliteBackend::open(const QString& locator, QString* error)
{
    const QByteArray file = locator.toUtf8();
    if (sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        *error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    // Another connection, of this process or another, may hold the write lock for a moment.
    sqlite3_busy_timeout(m_db, 5000);
    return run(QStringLiteral("PRAGMA foreign_keys = ON"), {}, nullptr, 0, error)
        && run(QStringLiteral("PRAGMA journal_mode = WAL"), {}, nullptr, 0, error);
}

bool SqliteBackend::run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows,
                        QString* error)
{
    sqlite3_stmt* kept = prepared(sql);
    SqlStatement statement = kept ? SqlStatement(m_db, kept) : SqlStatement(m_db, sql);
    bool ok = statement.bindAll(values);
    if (ok && rows) {
        while ((maxRows < 0 || rows->size() < maxRows) && statement.next())
            rows->append(statement.row());
    } else if (ok) {
        ok = statement.exec();
    }
    *error = statement.errorString();
    return error->isEmpty();
}

qint64 SqliteBackend::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteBackend::changes() const
{
    return sqlite3_changes(m_db);
}

QStringList SqliteBackend::beginWrite() const
{
    return {QStringLiteral("BEGIN IMMEDIATE")};
}

QStringList SqliteBackend::tableNames()
{
    return names(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"
                                " AND name NOT LIKE 'sqlite_%' ORDER BY rowid"));
}

QStringList SqliteBackend::columnNames(const QString& table)
{
    return names(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {table});
}

bool SqliteBackend::idsWritten(QString* error)
{
    // SQLite numbers on from the largest rowid by itself.
    error->clear();
    return true;
}
