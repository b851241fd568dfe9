#ifndef PUBLICSITEDATA_H
#define PUBLICSITEDATA_H

#include <QList>
#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// What a company's public site may show, read for its pages: only rows of the company, only
// what is put up (houses also reviewed), and only the columns a visitor may see. No owner's
// contacts, no store or commission, nothing of the house book beyond the house's own facts.
// Lists are in the order the back office sets. A failure is kept in db.lastError().
class PublicSiteData
{
public:
    enum HouseKind { Sale = 0, Rent = 1 };

    // A house: id, kind, title, village, price, unitprice, picture, info, tags (JSON text),
    // tuijian, publisher_name, publisher_phone (the agent's), and from the house book hutype,
    // builtuparea, floors, allfloors, district, area, renovation, toward, photo (addresses joined
    // by ","); empty texts for a house entered on the site only.
    //
    // The houses of a kind: recommended first, then newest; narrowed by `conditions` (" AND ..."
    // on the columns above, prefixed "h." for the site's and "b." for the house book's, with
    // `values` bound to its marks).
    static QList<QVariantMap> houses(ServiceDatabase& db, const QString& companyId, int kind, const QString& conditions,
                                     const QVariantList& values, qint64 pageIndex, qint64 pageSize, qint64* total);
    static QVariantMap house(ServiceDatabase& db, const QString& companyId, qint64 id);
    // Of these ids, the houses that are shown, in no particular order.
    static QList<QVariantMap> housesAmong(ServiceDatabase& db, const QString& companyId, const QList<qint64>& ids);
    // The recommended houses of both kinds, newest first, at most `limit` of each kind.
    static QList<QVariantMap> recommendedHouses(ServiceDatabase& db, const QString& companyId, int limit);

    // A new-house project: id, name, thumbnail, zhuangtai, dongtai, cityname, district, area,
    // address, junjia, leixing, tuijian, telbefore, telafter, developer, opening, layouts, areas.
    // Pinned first, then by hand-set order; narrowed by `conditions` on the project's columns.
    static QList<QVariantMap> projects(ServiceDatabase& db, const QString& companyId, const QString& conditions,
                                       const QVariantList& values, qint64 pageIndex, qint64 pageSize, qint64* total);
    static QVariantMap project(ServiceDatabase& db, const QString& companyId, qint64 id);
    // The first `limit` recommended projects, in list order, without counting them all.
    static QList<QVariantMap> recommendedProjects(ServiceDatabase& db, const QString& companyId, int limit);

    // The first `limit` topics (id, title, title_one, img) in the order staff set.
    static QList<QVariantMap> topics(ServiceDatabase& db, const QString& companyId, int limit);

    // A loan product: id, title, photo, des, month_lixi, months, maxedu, dyleixing,
    // changhuanway, conditions, materials. By hand-set order.
    static QList<QVariantMap> loans(ServiceDatabase& db, const QString& companyId, qint64 limit);
    static QVariantMap loan(ServiceDatabase& db, const QString& companyId, qint64 id);

    // The home page's apps that are switched on: itemid, type (0 system, 1 custom), title,
    // photo (the icon, empty for a built-in one), content. In display order.
    static QList<QVariantMap> apps(ServiceDatabase& db, const QString& companyId);
    static QVariantMap app(ServiceDatabase& db, const QString& companyId, qint64 itemId);

    // The carousel adverts in display order: id, title, photo, type, itemid, and live (1 when
    // what it links to is shown on the site: a list page, the profile, or an item put up).
    static QList<QVariantMap> adverts(ServiceDatabase& db, const QString& companyId);

private:
    PublicSiteData() = delete;
};

#endif // PUBLICSITEDATA_H
