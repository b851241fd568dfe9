#include "storage/web/RebateData.h"

#include "storage/core/ServiceDatabase.h"

namespace {

const char* const kSchema[] = {
    // commission is a percent of the basis (the deal price, or a month's rent); rebate is the
    // percent of that commission paid to the referrer.
    "CREATE TABLE IF NOT EXISTS rebate_rates(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " business INTEGER NOT NULL, name TEXT NOT NULL, basis TEXT NOT NULL, commission REAL NOT NULL,"
    " rebate REAL NOT NULL, note TEXT NOT NULL DEFAULT '', sort INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS rebate_users(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " name TEXT NOT NULL, phone TEXT NOT NULL, source TEXT NOT NULL DEFAULT '', registered_at TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS rebate_users_company ON rebate_users(company_id, registered_at)",
    // status: 0 waiting, 1 followed up, 2 shown round, 3 dealt, 4 void.
    "CREATE TABLE IF NOT EXISTS rebate_clients(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " user_id INTEGER NOT NULL REFERENCES rebate_users(id), name TEXT NOT NULL, phone TEXT NOT NULL,"
    " want INTEGER NOT NULL, area TEXT NOT NULL DEFAULT '', budget TEXT NOT NULL DEFAULT '',"
    " status INTEGER NOT NULL DEFAULT 0, created_at TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS rebate_clients_company ON rebate_clients(company_id, created_at)",
    // status: 0 waiting, 1 checked, 2 on the site, 3 dealt, 4 void.
    "CREATE TABLE IF NOT EXISTS rebate_houses(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " user_id INTEGER NOT NULL REFERENCES rebate_users(id), owner TEXT NOT NULL, phone TEXT NOT NULL,"
    " kind INTEGER NOT NULL, housename TEXT NOT NULL, hutype TEXT NOT NULL DEFAULT '',"
    " mianji REAL NOT NULL DEFAULT 0, price TEXT NOT NULL DEFAULT '', status INTEGER NOT NULL DEFAULT 0,"
    " created_at TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS rebate_houses_company ON rebate_houses(company_id, created_at)",
    "CREATE TABLE IF NOT EXISTS rebate_deals(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " user_id INTEGER NOT NULL REFERENCES rebate_users(id), source INTEGER NOT NULL, business INTEGER NOT NULL,"
    " title TEXT NOT NULL, amount REAL NOT NULL, commission REAL NOT NULL, rebate REAL NOT NULL,"
    " settled INTEGER NOT NULL DEFAULT 0, deal_time TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS rebate_deals_company ON rebate_deals(company_id, deal_time)",
};

QString tableName(RebateData::Table table)
{
    switch (table) {
    case RebateData::Table::Rates:
        return QStringLiteral("rebate_rates");
    case RebateData::Table::Users:
        return QStringLiteral("rebate_users");
    case RebateData::Table::Clients:
        return QStringLiteral("rebate_clients");
    case RebateData::Table::Houses:
        return QStringLiteral("rebate_houses");
    case RebateData::Table::Deals:
        break;
    }
    return QStringLiteral("rebate_deals");
}

// The rows of a referral table with the referrer's name, newest first by `timeColumn`.
QList<QVariantMap> referred(ServiceDatabase& db, RebateData::Table table, const QString& companyId,
                            const QString& timeColumn)
{
    return db.select(QStringLiteral("SELECT r.*, u.name AS referrer FROM %1 r JOIN rebate_users u ON u.id = r.user_id"
                                    " WHERE r.company_id = ? ORDER BY r.%2 DESC, r.id DESC")
                         .arg(tableName(table), timeColumn),
                     {companyId});
}

} // namespace

bool RebateData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

qint64 RebateData::add(ServiceDatabase& db, Table table, const QString& companyId, const QVariantMap& columns)
{
    QVariantMap row = columns;
    row.insert(QStringLiteral("company_id"), companyId);
    return db.insert(tableName(table), row);
}

QList<QVariantMap> RebateData::rates(ServiceDatabase& db, const QString& companyId)
{
    return db.select(QStringLiteral("SELECT id, business, name, basis, commission, rebate, note FROM rebate_rates"
                                    " WHERE company_id = ? ORDER BY sort, id"),
                     {companyId});
}

QList<QVariantMap> RebateData::users(ServiceDatabase& db, const QString& companyId)
{
    return db.select(
        QStringLiteral("SELECT u.id, u.name, u.phone, u.source, u.registered_at,"
                       " (SELECT COUNT(*) FROM rebate_clients c WHERE c.user_id = u.id) AS clients,"
                       " (SELECT COUNT(*) FROM rebate_houses h WHERE h.user_id = u.id) AS houses,"
                       " (SELECT COUNT(*) FROM rebate_deals d WHERE d.user_id = u.id) AS deals,"
                       " (SELECT COALESCE(SUM(d.rebate), 0) FROM rebate_deals d WHERE d.user_id = u.id) AS rebate"
                       " FROM rebate_users u WHERE u.company_id = ? ORDER BY u.registered_at DESC, u.id DESC"),
        {companyId});
}

QList<QVariantMap> RebateData::clients(ServiceDatabase& db, const QString& companyId)
{
    return referred(db, Table::Clients, companyId, QStringLiteral("created_at"));
}

QList<QVariantMap> RebateData::houses(ServiceDatabase& db, const QString& companyId)
{
    return referred(db, Table::Houses, companyId, QStringLiteral("created_at"));
}

QList<QVariantMap> RebateData::deals(ServiceDatabase& db, const QString& companyId)
{
    return referred(db, Table::Deals, companyId, QStringLiteral("deal_time"));
}
