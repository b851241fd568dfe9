#include "storage/listings/HouseCircleData.h"

#include "storage/core/ServiceDatabase.h"

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS house_circle(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " kind INTEGER NOT NULL, own INTEGER NOT NULL DEFAULT 0, company TEXT NOT NULL DEFAULT '', housename TEXT NOT NULL,"
    " title TEXT NOT NULL, dongno TEXT NOT NULL DEFAULT '', danyuan TEXT NOT NULL DEFAULT '',"
    " fangno TEXT NOT NULL DEFAULT '', hutype TEXT NOT NULL DEFAULT '', mianji REAL NOT NULL DEFAULT 0,"
    " price TEXT NOT NULL DEFAULT '', time TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS house_circle_company ON house_circle(company_id, kind, time)",
};

} // namespace

bool HouseCircleData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

qint64 HouseCircleData::add(ServiceDatabase& db, const QString& companyId, const House& house)
{
    if (!db.execute(QStringLiteral("INSERT INTO house_circle(company_id, kind, own, company, housename, title, dongno,"
                                   " danyuan, fangno, hutype, mianji, price, time)"
                                   " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {companyId, house.kind, house.own ? 1 : 0, house.company, house.housename, house.title,
                     house.dongno, house.danyuan, house.fangno, house.hutype, house.mianji, house.price, house.time}))
        return 0;
    return db.lastInsertId();
}

QList<QVariantMap> HouseCircleData::houses(ServiceDatabase& db, const QString& companyId, int kind,
                                           const QString& conditions, const QVariantList& values, qint64 pageIndex,
                                           qint64 pageSize, qint64* total)
{
    return db.selectPage(QStringLiteral("*"),
                         QStringLiteral("house_circle WHERE company_id = ? AND kind = ?") % conditions,
                         QVariantList{companyId, kind} + values, QStringLiteral("time DESC, id DESC"), pageIndex,
                         pageSize, total);
}

QVariantMap HouseCircleData::house(ServiceDatabase& db, const QString& companyId, int kind, qint64 id)
{
    return db.selectOne(QStringLiteral("SELECT * FROM house_circle WHERE company_id = ? AND kind = ? AND id = ?"),
                        {companyId, kind, id});
}
