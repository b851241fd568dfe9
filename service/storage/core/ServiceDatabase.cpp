#include "storage/core/ServiceDatabase.h"

#include "storage/core/FailureLog.h"
#include "storage/core/PostgresBackend.h"
#include "storage/core/SchemaMigrations.h"
#include "storage/core/SqliteBackend.h"

#include <QStringList>

#include <atomic>

namespace {

// Numbers the stores of the process.
std::atomic<quint64> g_stores{0};

const char* const kUserSelect =
    "SELECT u.id AS userid, u.phone, u.name, u.password, u.company_id AS companyid, u.job_id AS jobid,"
    " u.store_id AS storeid, u.is_manager, u.is_independent, c.name AS company, c.site_open,"
    " c.city_id AS cityid, ci.name AS cityname, ci.lng AS citylng, ci.lat AS citylat,"
    " COALESCE(j.name, '') AS jobname, COALESCE(d.name, '') AS store"
    " FROM users u JOIN companies c ON c.id = u.company_id JOIN cities ci ON ci.id = c.city_id"
    " LEFT JOIN jobs j ON j.id = u.job_id LEFT JOIN departments d ON d.id = u.store_id";

} // namespace

ServiceDatabase::ServiceDatabase()
    : m_serial(++g_stores)
{
}

ServiceDatabase::~ServiceDatabase() = default;

std::unique_ptr<SqlBackend> ServiceDatabase::makeBackend() const
{
    if (PostgresBackend::isLocator(m_locator))
        return std::make_unique<PostgresBackend>();
    return std::make_unique<SqliteBackend>();
}

bool ServiceDatabase::open(const QString& locator, QString* error)
{
    {
        std::lock_guard<std::mutex> lock(m_connectionsMutex);
        m_connections.clear();
        m_serial = ++g_stores;
        m_locator = locator;
        m_open = false;
    }
    Connection& own = connection();
    own.backend = makeBackend();
    if (!own.backend->open(locator, error)) {
        own.backend.reset();
        return false;
    }
    m_open = true;
    // Schema steps may make tables anew, which references to them would refuse; the steps check
    // the references themselves.
    if (!own.backend->setReferenceChecks(false, error) || !SchemaMigrations::apply(*this, error)
        || !own.backend->setReferenceChecks(true, error)) {
        std::lock_guard<std::mutex> lock(m_connectionsMutex);
        m_open = false;
        m_connections.clear();
        return false;
    }
    return true;
}

ServiceDatabase::Connection& ServiceDatabase::connection() const
{
    thread_local quint64 cachedStore = 0;
    thread_local Connection* cached = nullptr;
    if (cachedStore == m_serial)
        return *cached;
    std::lock_guard<std::mutex> lock(m_connectionsMutex);
    std::unique_ptr<Connection>& slot = m_connections[std::this_thread::get_id()];
    if (!slot)
        slot = std::make_unique<Connection>();
    cachedStore = m_serial;
    cached = slot.get();
    return *slot;
}

bool ServiceDatabase::opened(Connection& own) const
{
    if (own.backend)
        return true;
    if (!m_open) {
        own.lastError = QStringLiteral("the database is not open");
        return false;
    }
    own.backend = makeBackend();
    if (own.backend->open(m_locator, &own.lastError))
        return true;
    own.backend.reset();
    own.unreachable = true;
    FailureLog::report(QStringLiteral("cannot open a connection: ") + own.lastError);
    return false;
}

QString ServiceDatabase::lastError() const
{
    return connection().lastError;
}

bool ServiceDatabase::unreachable() const
{
    return connection().unreachable;
}

void ServiceDatabase::clearUnreachable()
{
    connection().unreachable = false;
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

namespace {

thread_local quint64 t_writes = 0;
thread_local quint64 t_failures = 0;

} // namespace

bool ServiceDatabase::run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows)
{
    Connection& own = connection();
    if (!opened(own)) {
        ++t_failures;
        return false;
    }
    if (own.backend->run(sql, values, rows, maxRows, &own.lastError))
        return true;
    ++t_failures;
    if (own.backend->unreachable())
        own.unreachable = true;
    // The client only hears of an internal error; whoever runs the service needs the reason.
    FailureLog::report(QStringLiteral("statement failed: ") + own.lastError, QStringLiteral("in: ") + sql.left(300));
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

namespace {

bool changesRows(const QString& sql)
{
    const QStringRef verb = sql.leftRef(16).trimmed();
    return verb.startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive)
        || verb.startsWith(QLatin1String("UPDATE"), Qt::CaseInsensitive)
        || verb.startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive);
}

} // namespace

bool ServiceDatabase::execute(const QString& sql, const QVariantList& values)
{
    if (!run(sql, values, nullptr, 0))
        return false;
    if (changesRows(sql) && changes() > 0)
        ++t_writes;
    return true;
}

quint64 ServiceDatabase::writesOnThisThread()
{
    return t_writes;
}

quint64 ServiceDatabase::failuresOnThisThread()
{
    return t_failures;
}

QList<QVariantMap> ServiceDatabase::selectPage(const QString& columns, const QString& from, const QVariantList& values,
                                               const QString& order, qint64 pageIndex, qint64 pageSize, qint64* total)
{
    *total = selectOne(QStringLiteral("SELECT COUNT(*) AS total FROM ") % from, values)
                 .value(QStringLiteral("total"))
                 .toLongLong();
    if (!lastError().isEmpty())
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
    const Connection& own = connection();
    return own.backend ? own.backend->lastInsertId() : 0;
}

int ServiceDatabase::changes() const
{
    const Connection& own = connection();
    return own.backend ? own.backend->changes() : 0;
}

bool ServiceDatabase::transaction(const std::function<bool()>& work)
{
    Connection& own = connection();
    if (!opened(own))
        return false;
    const auto rollBack = [this, &own] {
        const QString failure = own.lastError;
        execute(QStringLiteral("ROLLBACK"));
        own.lastError = failure;
    };
    for (const QString& statement : own.backend->beginWrite()) {
        if (!execute(statement)) {
            rollBack();
            return false;
        }
    }
    if (work() && execute(QStringLiteral("COMMIT")))
        return true;
    rollBack();
    return false;
}

QStringList ServiceDatabase::tableNames()
{
    Connection& own = connection();
    return opened(own) ? own.backend->tableNames() : QStringList();
}

QStringList ServiceDatabase::columnNames(const QString& table)
{
    Connection& own = connection();
    return opened(own) ? own.backend->columnNames(table) : QStringList();
}

bool ServiceDatabase::idsWritten()
{
    Connection& own = connection();
    return opened(own) && own.backend->idsWritten(&own.lastError);
}

bool ServiceDatabase::neverReuseIds()
{
    Connection& own = connection();
    return opened(own) && own.backend->neverReuseIds(&own.lastError);
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
