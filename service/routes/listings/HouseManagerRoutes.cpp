#include "routes/listings/HouseManagerRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "sessions/HouseManagerRights.h"
#include "storage/content/AdsData.h"
#include "storage/content/TopicData.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <climits>

namespace {

const int kPutUpRight = 65;
const int kDeleteRight = 66;
const int kReviewRight = 93;
const int kRecommendRight = 98;

const QString kHouseColumns = QStringLiteral(
    "h.id, h.kind, h.bookid, h.store_id, h.publisher_name, h.publisher_phone, h.title, h.village, h.price,"
    " h.unitprice, h.picture, h.info, h.tags, h.putup, h.sh, h.tuijian, h.shows, h.published_at");

QString missingHouse()
{
    return QStringLiteral("该房源不存在或已被删除");
}

// The house named by "id", of the session's company, when the user may run the function on it;
// empty after a refusal (noRight when the right or its scope is missing) kept in `in`.
QVariantMap findHouse(ServiceDatabase& db, const ServiceRequest& request, ParamReader& in, int functionId,
                      const QString& noRight)
{
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("房源编号"), 1, LLONG_MAX);
    if (!in.ok())
        return QVariantMap();
    const QVariantMap house = db.selectOne(QStringLiteral("SELECT ") % kHouseColumns
                                               % QStringLiteral(" FROM site_houses h WHERE h.id = ? AND h.company_id = ?"),
                                           {id, request.session.companyId});
    if (house.isEmpty()) {
        in.fail(missingHouse());
        return house;
    }
    if (!HouseManagerRights::canOperate(db, request.session, functionId,
                                        house.value(QStringLiteral("store_id")).toLongLong(),
                                        house.value(QStringLiteral("publisher_phone")).toString())) {
        in.fail(noRight);
        return QVariantMap();
    }
    return house;
}

bool setFlags(ServiceDatabase& db, const QString& assignments, const QVariantList& values, const QVariantMap& house)
{
    return db.execute(QStringLiteral("UPDATE site_houses SET ") % assignments % QStringLiteral(" WHERE id = ?"),
                      QVariantList(values) << house.value(QStringLiteral("id")));
}

} // namespace

HouseManagerRoutes::HouseManagerRoutes(ServiceContext& context)
    : m_context(context)
{
}

void HouseManagerRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/mtore/mshouseposts"), session, [this](const ServiceRequest& r) { return posts(r); });
    router.add(QStringLiteral("api/mtore/mshouseclickstore"), session,
               [this](const ServiceRequest& r) { return clickStore(r); });
    router.add(QStringLiteral("api/mtore/deletemshouse"), session, [this](const ServiceRequest& r) { return remove(r); });
    router.add(QStringLiteral("api/mtore/mshouseshenhe"), session, [this](const ServiceRequest& r) { return approve(r); });
    router.add(QStringLiteral("api/app/SyncHousebookDetail"), session,
               [this](const ServiceRequest& r) { return bookDetail(r); });
}

QJsonObject HouseManagerRoutes::houseJson(const QVariantMap& row)
{
    const QJsonArray tags = QJsonDocument::fromJson(row.value(QStringLiteral("tags")).toString().toUtf8()).array();
    return QJsonObject{
        {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
        {QStringLiteral("bookid"), row.value(QStringLiteral("bookid")).toLongLong()},
        {QStringLiteral("storeid"), row.value(QStringLiteral("store_id")).toLongLong()},
        {QStringLiteral("faburen"), row.value(QStringLiteral("publisher_name")).toString()},
        {QStringLiteral("faburenphone"), row.value(QStringLiteral("publisher_phone")).toString()},
        {QStringLiteral("title"), row.value(QStringLiteral("title")).toString()},
        {QStringLiteral("village"), row.value(QStringLiteral("village")).toString()},
        {QStringLiteral("price"), row.value(QStringLiteral("price")).toString()},
        {QStringLiteral("unitprice"), row.value(QStringLiteral("unitprice")).toString()},
        {QStringLiteral("picture"), row.value(QStringLiteral("picture")).toString()},
        {QStringLiteral("info"), row.value(QStringLiteral("info")).toString()},
        {QStringLiteral("tags"), tags},
        {QStringLiteral("putup"), row.value(QStringLiteral("putup")).toInt() != 0},
        {QStringLiteral("sh"), row.value(QStringLiteral("sh")).toInt() != 0},
        {QStringLiteral("tuijian"), row.value(QStringLiteral("tuijian")).toInt() != 0},
        {QStringLiteral("shows"), row.value(QStringLiteral("shows")).toString()},
        {QStringLiteral("time"), row.value(QStringLiteral("published_at")).toString()},
    };
}

ServiceReply HouseManagerRoutes::posts(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 type = in.optionalInteger(QStringLiteral("type"), QStringLiteral("房源类型"), 0, 0, 1);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, 100000);
    const qint64 pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"), 20, 1, 100);
    ListFilter filter(request.params, in);
    filter.flag(QStringLiteral("putup"), QStringLiteral("上架状态"), QStringLiteral("h.putup = ?"));
    const qint64 siteId = in.optionalInteger(QStringLiteral("bianhao"), QStringLiteral("房源编号"), 0, 0, LLONG_MAX);
    if (siteId > 0)
        filter.add(QStringLiteral("h.id = ?"), siteId);
    filter.contains(QStringLiteral("key"), {QStringLiteral("h.village"), QStringLiteral("h.title")});
    // Building, unit and room are the house book's; a house entered on the site only has none.
    filter.text(QStringLiteral("donghao"), QStringLiteral("b.buildingNo = ?"), 20);
    filter.text(QStringLiteral("danyuan"), QStringLiteral("b.unitNo = ?"), 20);
    filter.text(QStringLiteral("fanghao"), QStringLiteral("b.roomNo = ?"), 20);
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    qint64 total = 0;
    const QList<QVariantMap> rows = db.selectPage(
        kHouseColumns,
        QStringLiteral("site_houses h LEFT JOIN house_book b ON b.id = h.bookid AND b.company_id = h.company_id"
                       " WHERE h.company_id = ? AND h.kind = ?")
            % filter.conditions(),
        QVariantList{request.session.companyId, type} + filter.values(), QStringLiteral("h.published_at DESC, h.id DESC"),
        pageIndex, pageSize, &total);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray data;
    for (const QVariantMap& row : rows)
        data.append(houseJson(row));
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), data}});
}

ServiceReply HouseManagerRoutes::clickStore(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    ParamReader in(request.params);
    const QVariantMap house =
        findHouse(db, request, in, kPutUpRight, QStringLiteral("您没有对该房源进行上下架的权限,如需操作请联系管理员！"));
    if (!in.ok())
        return Envelope::refused(in.message());
    if (house.value(QStringLiteral("sh")).toInt() == 0)
        return Envelope::refused(QStringLiteral("该房源尚未审核，不能上架"));
    const bool putUp = house.value(QStringLiteral("putup")).toInt() == 0;
    if (!setFlags(db, QStringLiteral("putup = ?"), {putUp ? 1 : 0}, house))
        return Envelope::internalError();
    return Envelope::success(QJsonObject{{QStringLiteral("id"), house.value(QStringLiteral("id")).toLongLong()},
                                         {QStringLiteral("putup"), putUp}},
                             putUp ? QStringLiteral("上架成功") : QStringLiteral("下架成功"));
}

ServiceReply HouseManagerRoutes::remove(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    ParamReader in(request.params);
    const QVariantMap house =
        findHouse(db, request, in, kDeleteRight, QStringLiteral("您没有对该房源删除的权限,如需操作请联系管理员！"));
    if (!in.ok())
        return Envelope::refused(in.message());
    // Only the site entry goes; the house stays in the house book. The adverts and topics that
    // link to it let go of it at once.
    const qint64 id = house.value(QStringLiteral("id")).toLongLong();
    const QString& companyId = request.session.companyId;
    const int advertType = house.value(QStringLiteral("kind")).toInt() == 0 ? AdsData::SaleHouse : AdsData::RentHouse;
    if (!db.transaction([&] {
            return db.execute(QStringLiteral("DELETE FROM site_houses WHERE id = ?"), {id})
                && AdsData::unlink(db, companyId, advertType, id) && TopicData::dropHouse(db, companyId, id);
        }))
        return Envelope::internalError();
    return Envelope::success(QJsonObject{{QStringLiteral("id"), house.value(QStringLiteral("id")).toLongLong()}},
                             QStringLiteral("删除成功"));
}

ServiceReply HouseManagerRoutes::approve(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    ParamReader in(request.params);
    const QVariantMap house =
        findHouse(db, request, in, kReviewRight, QStringLiteral("您没有审核的权限，请联系管理员！"));
    if (!in.ok())
        return Envelope::refused(in.message());
    // An approved house goes on the site; approving it again changes nothing.
    if (house.value(QStringLiteral("sh")).toInt() == 0 && !setFlags(db, QStringLiteral("sh = 1, putup = 1"), {}, house))
        return Envelope::internalError();
    return Envelope::success(QJsonObject{{QStringLiteral("id"), house.value(QStringLiteral("id")).toLongLong()},
                                         {QStringLiteral("sh"), true}},
                             QStringLiteral("审核成功"));
}

ServiceReply HouseManagerRoutes::recommendHouse(ServiceContext& context, const ServiceRequest& request, ParamReader& in)
{
    ServiceDatabase& db = context.db();
    const qint64 state = in.integer(QStringLiteral("state"), QStringLiteral("推荐状态"), 0, 1);
    if (!in.ok())
        return Envelope::refused(in.message());
    // As on the page: a company without the site service is told so before anything else.
    if (db.company(request.session.companyId).value(QStringLiteral("site_open")).toInt() == 0)
        return Envelope::refused(QStringLiteral("您尚未开通官网服务！"));
    const QVariantMap house =
        findHouse(db, request, in, kRecommendRight, QStringLiteral("您没有对该房源进行推荐到官网的权限,如需操作请联系管理员！"));
    if (!in.ok())
        return Envelope::refused(in.message());
    if (state == 1 && house.value(QStringLiteral("sh")).toInt() == 0)
        return Envelope::refused(QStringLiteral("该房源尚未审核，不能推荐"));
    if (!setFlags(db, QStringLiteral("tuijian = ?"), {state}, house))
        return Envelope::internalError();
    return Envelope::success(QJsonObject{{QStringLiteral("id"), house.value(QStringLiteral("id")).toLongLong()},
                                         {QStringLiteral("tuijian"), state != 0}},
                             state ? QStringLiteral("推荐成功") : QStringLiteral("已取消推荐"));
}

ServiceReply HouseManagerRoutes::bookDetail(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("房源编号"), 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    QVariantMap row = db.selectOne(QStringLiteral("SELECT * FROM house_book WHERE id = ? AND company_id = ?"),
                                   {id, request.session.companyId});
    if (row.isEmpty())
        return db.lastError().isEmpty() ? Envelope::refused(missingHouse()) : Envelope::internalError();
    row.remove(QStringLiteral("company_id"));
    row.remove(QStringLiteral("user_id"));
    const qint64 created = row.take(QStringLiteral("created_at")).toLongLong();
    const QString contacts = row.take(QStringLiteral("contacts")).toString();
    const QString photos = row.take(QStringLiteral("photo")).toString();
    QJsonObject house = QJsonObject::fromVariantMap(row);
    house.insert(QStringLiteral("contacts"), QJsonDocument::fromJson(contacts.toUtf8()).array());
    house.insert(QStringLiteral("photo"),
                 QJsonArray::fromStringList(photos.split(QLatin1Char(','), Qt::SkipEmptyParts)));
    house.insert(QStringLiteral("time"),
                 QDateTime::fromSecsSinceEpoch(created).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    house.insert(QStringLiteral("is_show_community"), row.value(QStringLiteral("is_show_community")).toInt() != 0);
    return Envelope::success(house);
}
