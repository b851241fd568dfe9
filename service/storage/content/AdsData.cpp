#include "storage/content/AdsData.h"

#include "storage/core/ServiceDatabase.h"

#include <QVariantMap>

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS carousel_ads(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " title TEXT NOT NULL DEFAULT '', photo TEXT NOT NULL, type INTEGER NOT NULL DEFAULT 0,"
    " itemid INTEGER NOT NULL DEFAULT 0, sort INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS carousel_ads_company ON carousel_ads(company_id, sort)",
};

AdsData::Change changed(ServiceDatabase& db, bool executed)
{
    if (!executed)
        return AdsData::Change::Failed;
    return db.changes() > 0 ? AdsData::Change::Done : AdsData::Change::NotFound;
}

} // namespace

bool AdsData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

QList<AdsData::Advert> AdsData::adverts(ServiceDatabase& db, const QString& companyId)
{
    const QList<QVariantMap> rows = db.select(QStringLiteral("SELECT id, title, photo, type, itemid FROM carousel_ads"
                                                             " WHERE company_id = ? ORDER BY sort, id"),
                                              {companyId});
    QList<Advert> list;
    for (const QVariantMap& row : rows) {
        Advert advert;
        advert.id = row.value(QStringLiteral("id")).toLongLong();
        advert.title = row.value(QStringLiteral("title")).toString();
        advert.photo = row.value(QStringLiteral("photo")).toString();
        advert.type = row.value(QStringLiteral("type")).toInt();
        advert.itemid = row.value(QStringLiteral("itemid")).toLongLong();
        list.append(advert);
    }
    return list;
}

qint64 AdsData::count(ServiceDatabase& db, const QString& companyId)
{
    const QVariantMap row =
        db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM carousel_ads WHERE company_id = ?"), {companyId});
    return db.lastError().isEmpty() ? row.value(QStringLiteral("n")).toLongLong() : -1;
}

qint64 AdsData::add(ServiceDatabase& db, const QString& companyId, const Advert& advert)
{
    if (!db.execute(QStringLiteral("INSERT INTO carousel_ads(company_id, title, photo, type, itemid, sort)"
                                   " VALUES(?, ?, ?, ?, ?, (SELECT COALESCE(MAX(sort), 0) + 1 FROM carousel_ads"
                                   " WHERE company_id = ?))"),
                    {companyId, advert.title, advert.photo, advert.type, advert.itemid, companyId}))
        return 0;
    return db.lastInsertId();
}

AdsData::Change AdsData::update(ServiceDatabase& db, const QString& companyId, const Advert& advert)
{
    return changed(db, db.execute(QStringLiteral("UPDATE carousel_ads SET title = ?, photo = ?, type = ?, itemid = ?"
                                                 " WHERE id = ? AND company_id = ?"),
                                  {advert.title, advert.photo, advert.type, advert.itemid, advert.id, companyId}));
}

AdsData::Change AdsData::remove(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    return changed(db, db.execute(QStringLiteral("DELETE FROM carousel_ads WHERE id = ? AND company_id = ?"),
                                  {id, companyId}));
}

bool AdsData::hasLinkTarget(ServiceDatabase& db, const QString& companyId, int type, qint64 itemid)
{
    QString sql;
    switch (type) {
    case NewHouse:
        sql = QStringLiteral("SELECT id FROM newhouse_projects WHERE id = ? AND company_id = ?");
        break;
    case SaleHouse:
        sql = QStringLiteral("SELECT id FROM site_houses WHERE id = ? AND company_id = ? AND kind = 0");
        break;
    case RentHouse:
        sql = QStringLiteral("SELECT id FROM site_houses WHERE id = ? AND company_id = ? AND kind = 1");
        break;
    case Job:
        sql = QStringLiteral("SELECT id FROM job_postings WHERE id = ? AND company_id = ?");
        break;
    default:
        return false;
    }
    return !db.selectOne(sql, {itemid, companyId}).isEmpty();
}

bool AdsData::unlink(ServiceDatabase& db, const QString& companyId, int type, qint64 itemid)
{
    return db.execute(QStringLiteral("UPDATE carousel_ads SET itemid = 0 WHERE company_id = ? AND type = ? AND itemid = ?"),
                      {companyId, type, itemid});
}
