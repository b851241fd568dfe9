#include "storage/core/SqliteBackend.h"

#include "storage/core/SqlStatement.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace {

const int kKeptStatements = 1024;

// Failures of the file or its locks, not of the statement.
bool unreachableCode(int code)
{
    switch (code & 0xff) {
    case SQLITE_PERM:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_READONLY:
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_PROTOCOL:
    case SQLITE_NOTADB:
        return true;
    default:
        return false;
    }
}

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
        m_unreachable = true;
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
    m_unreachable = !error->isEmpty() && unreachableCode(sqlite3_errcode(m_db));
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

bool SqliteBackend::setReferenceChecks(bool on, QString* error)
{
    return run(on ? QStringLiteral("PRAGMA foreign_keys = ON") : QStringLiteral("PRAGMA foreign_keys = OFF"), {},
               nullptr, 0, error);
}

bool SqliteBackend::neverReuseIds(QString* error)
{
    // A plain INTEGER PRIMARY KEY hands the largest id out again once its row is deleted, so a
    // link kept elsewhere would point at the next, unrelated row. AUTOINCREMENT cannot be added
    // to a table, so each is made anew and its rows copied as they are (references are not
    // checked meanwhile, and none changes). Every table is remade, in order, so that they stay in
    // the order they were created, which an export relies on.
    static const QRegularExpression plainId(QStringLiteral("\\bid INTEGER PRIMARY KEY\\b(?! AUTOINCREMENT)"));
    QList<QVariantMap> tables;
    if (!run(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"
                            " AND name <> 'schema_version' ORDER BY rowid"),
             {}, &tables, -1, error))
        return false;
    bool needed = false;
    for (const QVariantMap& table : qAsConst(tables))
        needed = needed || table.value(QStringLiteral("sql")).toString().contains(plainId);
    if (!needed)
        return true;
    for (const QVariantMap& table : qAsConst(tables)) {
        const QString name = table.value(QStringLiteral("name")).toString();
        QString definition = table.value(QStringLiteral("sql")).toString();
        definition.replace(plainId, QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT"));
        const QString fresh = name + QStringLiteral("__remade");
        QList<QVariantMap> indexes;
        if (!run(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL"
                                " ORDER BY rowid"),
                 {name}, &indexes, -1, error)
            || !run(QStringLiteral("CREATE TABLE ") + quotedName(fresh) + definition.mid(definition.indexOf(QLatin1Char('('))),
                    {}, nullptr, 0, error)
            || !run(QStringLiteral("INSERT INTO ") + quotedName(fresh) + QStringLiteral(" SELECT * FROM ") + quotedName(name),
                    {}, nullptr, 0, error)
            || !run(QStringLiteral("DROP TABLE ") + quotedName(name), {}, nullptr, 0, error)
            || !run(QStringLiteral("ALTER TABLE ") + quotedName(fresh) + QStringLiteral(" RENAME TO ") + quotedName(name),
                    {}, nullptr, 0, error))
            return false;
        for (const QVariantMap& index : qAsConst(indexes)) {
            if (!run(index.value(QStringLiteral("sql")).toString(), {}, nullptr, 0, error))
                return false;
        }
    }
    return true;
}
