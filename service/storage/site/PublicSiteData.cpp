#include "storage/site/PublicSiteData.h"

#include "storage/content/AdsData.h"
#include "storage/core/ServiceDatabase.h"

#include <QStringList>

namespace {

const QString kHouseColumns = QStringLiteral(
    "h.id, h.kind, h.title, h.village, h.price, h.unitprice, h.picture, h.info, h.tags, h.tuijian, h.publisher_name,"
    " h.publisher_phone, COALESCE(b.hutype, '') AS hutype, COALESCE(b.builtuparea, 0) AS builtuparea,"
    " COALESCE(b.floors, 0) AS floors, COALESCE(b.allfloors, 0) AS allfloors, COALESCE(b.district, '') AS district,"
    " COALESCE(b.area, '') AS area, COALESCE(b.renovation, '') AS renovation, COALESCE(b.toward, '') AS toward,"
    " COALESCE(b.photo, '') AS photo");
// The house book row is joined only for the house's facts; its contacts are never read.
const QString kShownHouses = QStringLiteral(
    "site_houses h LEFT JOIN house_book b ON b.id = h.bookid AND b.company_id = h.company_id"
    " WHERE h.company_id = ? AND h.putup = 1 AND h.sh = 1");
const QString kHouseOrder = QStringLiteral("h.tuijian DESC, h.published_at DESC, h.id DESC");

const QString kProjectColumns = QStringLiteral(
    "id, name, thumbnail, zhuangtai, dongtai, cityname, district, area, address, junjia, leixing, tuijian,"
    " telbefore, telafter, developer, opening, layouts, areas");
const QString kLoanColumns = QStringLiteral(
    "id, title, photo, des, month_lixi, months, maxedu, dyleixing, changhuanway, conditions, materials");

} // namespace

QList<QVariantMap> PublicSiteData::houses(ServiceDatabase& db, const QString& companyId, int kind,
                                          const QString& conditions, const QVariantList& values, qint64 pageIndex,
                                          qint64 pageSize, qint64* total)
{
    return db.selectPage(kHouseColumns, kShownHouses + QStringLiteral(" AND h.kind = ?") + conditions,
                         QVariantList{companyId, kind} + values, kHouseOrder, pageIndex, pageSize, total);
}

QVariantMap PublicSiteData::house(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    return db.selectOne(QStringLiteral("SELECT ") + kHouseColumns + QStringLiteral(" FROM ") + kShownHouses
                            + QStringLiteral(" AND h.id = ?"),
                        {companyId, id});
}

QList<QVariantMap> PublicSiteData::housesAmong(ServiceDatabase& db, const QString& companyId, const QList<qint64>& ids)
{
    if (ids.isEmpty())
        return {};
    QStringList marks;
    QVariantList values{companyId};
    for (qint64 id : ids) {
        marks << QStringLiteral("?");
        values << id;
    }
    return db.select(QStringLiteral("SELECT ") + kHouseColumns + QStringLiteral(" FROM ") + kShownHouses
                         + QStringLiteral(" AND h.id IN (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
                     values);
}

QList<QVariantMap> PublicSiteData::recommendedHouses(ServiceDatabase& db, const QString& companyId, int limit)
{
    // One statement for both kinds: the home page reads little.
    const QString one = QStringLiteral("SELECT * FROM (SELECT ") + kHouseColumns + QStringLiteral(", h.published_at FROM ")
        + kShownHouses + QStringLiteral(" AND h.tuijian = 1 AND h.kind = %1 ORDER BY h.published_at DESC, h.id DESC LIMIT ?)");
    return db.select(one.arg(int(Sale)) + QStringLiteral(" AS s UNION ALL ") + one.arg(int(Rent))
                         + QStringLiteral(" AS r"),
                     {companyId, limit, companyId, limit});
}

QList<QVariantMap> PublicSiteData::projects(ServiceDatabase& db, const QString& companyId, const QString& conditions,
                                            const QVariantList& values, qint64 pageIndex, qint64 pageSize,
                                            qint64* total)
{
    return db.selectPage(kProjectColumns,
                         QStringLiteral("newhouse_projects WHERE company_id = ? AND wstore = 1") + conditions,
                         QVariantList{companyId} + values, QStringLiteral("istop DESC, sort, id"), pageIndex,
                         pageSize, total);
}

QVariantMap PublicSiteData::project(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    return db.selectOne(QStringLiteral("SELECT ") + kProjectColumns
                            + QStringLiteral(" FROM newhouse_projects WHERE company_id = ? AND wstore = 1 AND id = ?"),
                        {companyId, id});
}

QList<QVariantMap> PublicSiteData::recommendedProjects(ServiceDatabase& db, const QString& companyId, int limit)
{
    return db.select(QStringLiteral("SELECT ") + kProjectColumns
                         + QStringLiteral(" FROM newhouse_projects WHERE company_id = ? AND wstore = 1 AND tuijian = 1"
                                          " ORDER BY istop DESC, sort, id LIMIT ?"),
                     {companyId, limit});
}

QList<QVariantMap> PublicSiteData::topics(ServiceDatabase& db, const QString& companyId, int limit)
{
    // The order of the topic list in the back office.
    return db.select(QStringLiteral("SELECT id, title, title_one, img FROM site_topics WHERE company_id = ?"
                                    " ORDER BY sort, id DESC LIMIT ?"),
                     {companyId, limit});
}

QList<QVariantMap> PublicSiteData::loans(ServiceDatabase& db, const QString& companyId, qint64 limit)
{
    return db.select(QStringLiteral("SELECT ") + kLoanColumns
                         + QStringLiteral(" FROM financial_products WHERE company_id = ? AND wstore = 1"
                                          " ORDER BY sort, id LIMIT ?"),
                     {companyId, limit});
}

QVariantMap PublicSiteData::loan(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    return db.selectOne(QStringLiteral("SELECT ") + kLoanColumns
                            + QStringLiteral(" FROM financial_products WHERE company_id = ? AND wstore = 1 AND id = ?"),
                        {companyId, id});
}

QList<QVariantMap> PublicSiteData::apps(ServiceDatabase& db, const QString& companyId)
{
    return db.select(QStringLiteral("SELECT itemid, type, title, photo, content FROM tiles"
                                    " WHERE company_id = ? AND itemid > 0 AND show = 1 ORDER BY sort, id"),
                     {companyId});
}

QVariantMap PublicSiteData::app(ServiceDatabase& db, const QString& companyId, qint64 itemId)
{
    return db.selectOne(QStringLiteral("SELECT itemid, type, title, photo, content FROM tiles"
                                       " WHERE company_id = ? AND itemid = ? AND show = 1"),
                        {companyId, itemId});
}

QList<QVariantMap> PublicSiteData::adverts(ServiceDatabase& db, const QString& companyId)
{
    return db.select(
        QStringLiteral(
            "SELECT a.id, a.title, a.photo, a.type, a.itemid, CASE"
            " WHEN a.itemid = 0 OR a.type NOT IN (%1, %2, %3, %4) THEN 1"
            " WHEN a.type = %1 THEN (SELECT COUNT(*) FROM newhouse_projects p"
            "  WHERE p.id = a.itemid AND p.company_id = a.company_id AND p.wstore = 1)"
            " WHEN a.type = %4 THEN (SELECT COUNT(*) FROM job_postings j"
            "  WHERE j.id = a.itemid AND j.company_id = a.company_id)"
            " ELSE (SELECT COUNT(*) FROM site_houses h WHERE h.id = a.itemid AND h.company_id = a.company_id"
            "  AND h.kind = CASE WHEN a.type = %2 THEN 0 ELSE 1 END AND h.putup = 1 AND h.sh = 1) END AS live"
            " FROM carousel_ads a WHERE a.company_id = ? ORDER BY a.sort, a.id")
            .arg(int(AdsData::NewHouse))
            .arg(int(AdsData::SaleHouse))
            .arg(int(AdsData::RentHouse))
            .arg(int(AdsData::Job)),
        {companyId});
}
