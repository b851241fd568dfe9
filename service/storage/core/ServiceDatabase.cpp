#include "storage/core/ServiceDatabase.h"

#include "storage/core/PostgresBackend.h"
#include "storage/core/SchemaMigrations.h"
#include "storage/core/SqliteBackend.h"

#include <QStringList>

#include <cstdio>

namespace {

const char* const kUserSelect =
    "SELECT u.id AS userid, u.phone, u.name, u.password, u.company_id AS companyid, u.job_id AS jobid,"
    " u.store_id AS storeid, u.is_manager, u.is_independent, c.name AS company, c.site_open,"
    " c.city_id AS cityid, ci.name AS cityname, ci.lng AS citylng, ci.lat AS citylat,"
    " COALESCE(j.name, '') AS jobname, COALESCE(d.name, '') AS store"
    " FROM users u JOIN companies c ON c.id = u.company_id JOIN cities ci ON ci.id = c.city_id"
    " LEFT JOIN jobs j ON j.id = u.job_id LEFT JOIN departments d ON d.id = u.store_id";

} // namespace

ServiceDatabase::ServiceDatabase() = default;
ServiceDatabase::~ServiceDatabase() = default;

bool ServiceDatabase::open(const QString& locator, QString* error)
{
    if (PostgresBackend::isLocator(locator))
        m_backend = std::make_unique<PostgresBackend>();
    else
        m_backend = std::make_unique<SqliteBackend>();
    if (!m_backend->open(locator, error) || !SchemaMigrations::apply(*this, error)) {
        m_backend.reset();
        return false;
    }
    return true;
}

bool ServiceDatabase::isSeeded()
{
    return !selectOne(QStringLiteral("SELECT value FROM meta WHERE key = ?"), {QStringLiteral("seeded")}).isEmpty();
}

bool ServiceDatabase::markSeeded()
{
    return execute(QStringLiteral("INSERT INTO meta(key, value) VALUES(?, ?)"
                                  " ON CONFLICT(key) DO UPDATE SET value = excluded.value"),
                   {QStringLiteral("seeded"), QStringLiteral("1")});
}

bool ServiceDatabase::run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows)
{
    if (m_backend->run(sql, values, rows, maxRows, &m_lastError))
        return true;
    // The client only hears of an internal error; whoever runs the service needs the reason.
    std::fprintf(stderr, "kq_service: statement failed: %s\n  in: %s\n", m_lastError.toUtf8().constData(),
                 sql.left(300).toUtf8().constData());
    return false;
}

QList<QVariantMap> ServiceDatabase::select(const QString& sql, const QVariantList& values)
{
    QList<QVariantMap> rows;
    run(sql, values, &rows, -1);
    return rows;
}

QVariantMap ServiceDatabase::selectOne(const QString& sql, const QVariantList& values)
{
    QList<QVariantMap> rows;
    run(sql, values, &rows, 1);
    return rows.value(0);
}

bool ServiceDatabase::execute(const QString& sql, const QVariantList& values)
{
    return run(sql, values, nullptr, 0);
}

QList<QVariantMap> ServiceDatabase::selectPage(const QString& columns, const QString& from, const QVariantList& values,
                                               const QString& order, qint64 pageIndex, qint64 pageSize, qint64* total)
{
    *total = selectOne(QStringLiteral("SELECT COUNT(*) AS total FROM ") % from, values)
                 .value(QStringLiteral("total"))
                 .toLongLong();
    if (!m_lastError.isEmpty())
        return {};
    return select(QStringLiteral("SELECT ") % columns % QStringLiteral(" FROM ") % from % QStringLiteral(" ORDER BY ")
                      % order % QStringLiteral(" LIMIT ? OFFSET ?"),
                  QVariantList(values) << pageSize << (pageIndex - 1) * pageSize);
}

qint64 ServiceDatabase::insert(const QString& table, const QVariantMap& columns)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    if (!execute(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                     .arg(table, columns.keys().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                 columns.values()))
        return 0;
    return lastInsertId();
}

qint64 ServiceDatabase::lastInsertId() const
{
    return m_backend->lastInsertId();
}

int ServiceDatabase::changes() const
{
    return m_backend->changes();
}

bool ServiceDatabase::transaction(const std::function<bool()>& work)
{
    for (const QString& statement : m_backend->beginWrite()) {
        if (!execute(statement)) {
            const QString failure = m_lastError;
            execute(QStringLiteral("ROLLBACK"));
            m_lastError = failure;
            return false;
        }
    }
    if (work() && execute(QStringLiteral("COMMIT")))
        return true;
    const QString failure = m_lastError;
    execute(QStringLiteral("ROLLBACK"));
    m_lastError = failure;
    return false;
}

QStringList ServiceDatabase::tableNames()
{
    return m_backend->tableNames();
}

QStringList ServiceDatabase::columnNames(const QString& table)
{
    return m_backend->columnNames(table);
}

bool ServiceDatabase::idsWritten()
{
    return m_backend->idsWritten(&m_lastError);
}

QVariantMap ServiceDatabase::userWhere(const QString& condition, const QVariant& value)
{
    return selectOne(QString::fromUtf8(kUserSelect) % QStringLiteral(" WHERE ") % condition, {value});
}

QVariantMap ServiceDatabase::userByPhone(const QString& phone)
{
    return userWhere(QStringLiteral("u.phone = ?"), phone);
}

QVariantMap ServiceDatabase::userById(qint64 userId)
{
    return userWhere(QStringLiteral("u.id = ?"), userId);
}

QVariantMap ServiceDatabase::company(const QString& companyId)
{
    return selectOne(QStringLiteral("SELECT c.id, c.name, c.city_id, c.site_open, ci.name AS cityname"
                                    " FROM companies c JOIN cities ci ON ci.id = c.city_id WHERE c.id = ?"),
                     {companyId});
}
