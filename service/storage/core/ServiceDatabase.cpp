#include "storage/core/ServiceDatabase.h"

#include "storage/content/AdsData.h"
#include "storage/content/ContentData.h"
#include "storage/content/NewsData.h"
#include "storage/content/TopicData.h"
#include "storage/core/SqlStatement.h"
#include "storage/listings/BookData.h"
#include "storage/listings/FinancialData.h"
#include "storage/listings/HouseCircleData.h"
#include "storage/listings/HouseManagerData.h"
#include "storage/listings/NewHouseData.h"
#include "storage/listings/SubmissionData.h"
#include "storage/settings/OrganisationData.h"
#include "storage/settings/StyleData.h"
#include "storage/web/BrowseLogData.h"
#include "storage/web/RebateData.h"

#include <QStringList>

#include <sqlite3.h>

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS cities(id TEXT PRIMARY KEY, name TEXT NOT NULL, lng REAL NOT NULL DEFAULT 0,"
    " lat REAL NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS districts(id INTEGER PRIMARY KEY, city_id TEXT NOT NULL REFERENCES cities(id),"
    " name TEXT NOT NULL, sort INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS quarters(id INTEGER PRIMARY KEY,"
    " district_id INTEGER NOT NULL REFERENCES districts(id), name TEXT NOT NULL, sort INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS companies(id TEXT PRIMARY KEY, city_id TEXT NOT NULL REFERENCES cities(id),"
    " name TEXT NOT NULL, site_open INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS departments(id INTEGER PRIMARY KEY,"
    " company_id TEXT NOT NULL REFERENCES companies(id), parent_id INTEGER NOT NULL DEFAULT 0,"
    " name TEXT NOT NULL, sort INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS jobs(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " name TEXT NOT NULL, sort INTEGER NOT NULL DEFAULT 0)",
    // A job role's rights, one row per app of the suite; content is the app's list of right
    // entries as JSON text, exactly as the rights editor sends it back.
    "CREATE TABLE IF NOT EXISTS job_auth(job_id INTEGER NOT NULL REFERENCES jobs(id), app_id INTEGER NOT NULL,"
    " app_name TEXT NOT NULL, content TEXT NOT NULL, PRIMARY KEY(job_id, app_id))",
    "CREATE TABLE IF NOT EXISTS users(id INTEGER PRIMARY KEY, phone TEXT NOT NULL UNIQUE,"
    " company_id TEXT NOT NULL REFERENCES companies(id), name TEXT NOT NULL, password TEXT NOT NULL,"
    " job_id INTEGER REFERENCES jobs(id), store_id INTEGER REFERENCES departments(id),"
    " is_manager INTEGER NOT NULL DEFAULT 0, is_independent INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS user_departments(user_id INTEGER NOT NULL REFERENCES users(id),"
    " dept_id INTEGER NOT NULL REFERENCES departments(id), PRIMARY KEY(user_id, dept_id))",
    // Only a hash of the token is kept, so a copy of the file does not log anyone in.
    "CREATE TABLE IF NOT EXISTS sessions(id TEXT PRIMARY KEY, token_hash TEXT NOT NULL,"
    " user_id INTEGER NOT NULL REFERENCES users(id), created_at INTEGER NOT NULL, expires_at INTEGER NOT NULL)",
    // Function tiles of a company's site; item ids are unique per company.
    "CREATE TABLE IF NOT EXISTS tiles(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " itemid INTEGER NOT NULL, type INTEGER NOT NULL DEFAULT 0, title TEXT NOT NULL,"
    " sort INTEGER NOT NULL DEFAULT 0, show INTEGER NOT NULL DEFAULT 1, photo TEXT NOT NULL DEFAULT '',"
    " content TEXT NOT NULL DEFAULT '', UNIQUE(company_id, itemid))",
    "CREATE TABLE IF NOT EXISTS uploads(name TEXT PRIMARY KEY, company_id TEXT NOT NULL, user_id INTEGER NOT NULL,"
    " type INTEGER NOT NULL, format TEXT NOT NULL, size INTEGER NOT NULL, created_at INTEGER NOT NULL)",
};

const char* const kUserSelect =
    "SELECT u.id AS userid, u.phone, u.name, u.password, u.company_id AS companyid, u.job_id AS jobid,"
    " u.store_id AS storeid, u.is_manager, u.is_independent, c.name AS company, c.site_open,"
    " c.city_id AS cityid, ci.name AS cityname, ci.lng AS citylng, ci.lat AS citylat,"
    " COALESCE(j.name, '') AS jobname, COALESCE(d.name, '') AS store"
    " FROM users u JOIN companies c ON c.id = u.company_id JOIN cities ci ON ci.id = c.city_id"
    " LEFT JOIN jobs j ON j.id = u.job_id LEFT JOIN departments d ON d.id = u.store_id";

} // namespace

ServiceDatabase::~ServiceDatabase()
{
    sqlite3_close_v2(m_db);
}

bool ServiceDatabase::open(const QString& path, QString* error)
{
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        *error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_busy_timeout(m_db, 5000);
    if (!execute(QStringLiteral("PRAGMA foreign_keys = ON")) || !execute(QStringLiteral("PRAGMA journal_mode = WAL"))
        || !createSchema()) {
        *error = m_lastError;
        return false;
    }
    return true;
}

bool ServiceDatabase::createSchema()
{
    return transaction([this] {
        return executeAll(kSchema) && BookData::createSchema(*this) && SubmissionData::createSchema(*this)
            && NewHouseData::createSchema(*this) && FinancialData::createSchema(*this)
            && HouseManagerData::createSchema(*this) && ContentData::createSchema(*this)
            && OrganisationData::createSchema(*this) && AdsData::createSchema(*this)
            && TopicData::createSchema(*this) && HouseCircleData::createSchema(*this)
            && StyleData::createSchema(*this) && NewsData::createSchema(*this)
            && RebateData::createSchema(*this) && BrowseLogData::createSchema(*this);
    });
}

bool ServiceDatabase::isSeeded()
{
    return !selectOne(QStringLiteral("SELECT value FROM meta WHERE key = ?"), {QStringLiteral("seeded")}).isEmpty();
}

bool ServiceDatabase::markSeeded()
{
    return execute(QStringLiteral("INSERT OR REPLACE INTO meta(key, value) VALUES(?, ?)"),
                   {QStringLiteral("seeded"), QStringLiteral("1")});
}

QList<QVariantMap> ServiceDatabase::select(const QString& sql, const QVariantList& values)
{
    QList<QVariantMap> rows;
    SqlStatement statement(m_db, sql);
    if (statement.bindAll(values)) {
        while (statement.next())
            rows.append(statement.row());
    }
    m_lastError = statement.errorString();
    return rows;
}

QVariantMap ServiceDatabase::selectOne(const QString& sql, const QVariantList& values)
{
    SqlStatement statement(m_db, sql);
    QVariantMap row;
    if (statement.bindAll(values) && statement.next())
        row = statement.row();
    m_lastError = statement.errorString();
    return row;
}

bool ServiceDatabase::execute(const QString& sql, const QVariantList& values)
{
    SqlStatement statement(m_db, sql);
    const bool ok = statement.bindAll(values) && statement.exec();
    m_lastError = statement.errorString();
    return ok;
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
    return sqlite3_last_insert_rowid(m_db);
}

int ServiceDatabase::changes() const
{
    return sqlite3_changes(m_db);
}

bool ServiceDatabase::transaction(const std::function<bool()>& work)
{
    if (!execute(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    if (work() && execute(QStringLiteral("COMMIT")))
        return true;
    const QString failure = m_lastError;
    execute(QStringLiteral("ROLLBACK"));
    m_lastError = failure;
    return false;
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
