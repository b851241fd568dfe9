#include "storage/core/SchemaMigrations.h"

#include "storage/content/AdsData.h"
#include "storage/content/ContentData.h"
#include "storage/content/NewsData.h"
#include "storage/content/TopicData.h"
#include "storage/core/ServiceDatabase.h"
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

#include <QDateTime>

#include <iterator>

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

// Failed logins by phone, and the order logins were made in, live in the database so that every
// instance sharing it sees them.
const char* const kSharedLogins[] = {
    "CREATE TABLE IF NOT EXISTS login_failures(phone TEXT PRIMARY KEY, failures INTEGER NOT NULL,"
    " last_failure_ms INTEGER NOT NULL, allowed_from_ms INTEGER NOT NULL DEFAULT 0)",
    "ALTER TABLE sessions ADD COLUMN created_ms INTEGER NOT NULL DEFAULT 0",
};

struct Migration
{
    int version;
    bool (*apply)(ServiceDatabase& db);
};

// Every statement of the first schema may meet tables that a file made before versions were
// kept already holds, hence IF NOT EXISTS.
bool firstSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema) && BookData::createSchema(db) && SubmissionData::createSchema(db)
        && NewHouseData::createSchema(db) && FinancialData::createSchema(db) && HouseManagerData::createSchema(db)
        && ContentData::createSchema(db) && OrganisationData::createSchema(db) && AdsData::createSchema(db)
        && TopicData::createSchema(db) && HouseCircleData::createSchema(db) && StyleData::createSchema(db)
        && NewsData::createSchema(db) && RebateData::createSchema(db) && BrowseLogData::createSchema(db);
}

bool sharedLogins(ServiceDatabase& db)
{
    return db.executeAll(kSharedLogins);
}

bool idsNeverReused(ServiceDatabase& db)
{
    return db.neverReuseIds();
}

// Append only: a step, once released, never changes.
const Migration kMigrations[] = {
    {1, firstSchema},
    {2, sharedLogins},
    {3, idsNeverReused},
};

} // namespace

int SchemaMigrations::latestVersion()
{
    return kMigrations[std::size(kMigrations) - 1].version;
}

int SchemaMigrations::currentVersion(ServiceDatabase& db)
{
    return db.selectOne(QStringLiteral("SELECT COALESCE(MAX(version), 0) AS version FROM schema_version"))
        .value(QStringLiteral("version"))
        .toInt();
}

bool SchemaMigrations::apply(ServiceDatabase& db, QString* error)
{
    const bool ok = db.transaction([&db] {
        if (!db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version(version INTEGER PRIMARY KEY,"
                                       " applied_at INTEGER NOT NULL)")))
            return false;
        const int current = currentVersion(db);
        if (!db.lastError().isEmpty())
            return false;
        for (const Migration& migration : kMigrations) {
            if (migration.version <= current)
                continue;
            if (!migration.apply(db)
                || !db.execute(QStringLiteral("INSERT INTO schema_version(version, applied_at) VALUES(?, ?)"),
                               {migration.version, QDateTime::currentSecsSinceEpoch()}))
                return false;
        }
        return true;
    });
    if (!ok)
        *error = db.lastError();
    return ok;
}
