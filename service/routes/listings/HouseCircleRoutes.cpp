#include "routes/listings/HouseCircleRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/listings/HouseCircleData.h"

#include <QJsonArray>

#include <climits>

namespace {

const qint64 kMaxPageIndex = 1000000;
const qint64 kMaxPageSize = 100;
const qint64 kDefaultPageSize = 20;

enum Owner { Everyone = 0, Ours = 1, Others = 2 };

} // namespace

HouseCircleRoutes::HouseCircleRoutes(ServiceContext& context)
    : m_context(context)
{
}

void HouseCircleRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("api/app/housegrouppostst"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& r) { return posts(r); });
    router.add(QStringLiteral("api/app/housegroupdetail"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& r) { return detail(r); });
}

ServiceReply HouseCircleRoutes::posts(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 kind = in.optionalInteger(QStringLiteral("type"), QStringLiteral("房源类型"), 0, 0, 1);
    const qint64 owner =
        in.optionalInteger(QStringLiteral("mtype"), QStringLiteral("房源范围"), Everyone, Everyone, Others);
    const qint64 pageIndex =
        in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, kMaxPageIndex);
    const qint64 pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"),
                                               kDefaultPageSize, 1, kMaxPageSize);
    ListFilter filter(request.params, in);
    if (owner != Everyone)
        filter.add(QStringLiteral("own = ?"), owner == Ours ? 1 : 0);
    filter.contains(QStringLiteral("housename"), {QStringLiteral("housename"), QStringLiteral("title")});
    const qint64 houseId =
        in.optionalInteger(QStringLiteral("houseid"), QStringLiteral("房源编号"), 0, 1, LLONG_MAX);
    if (houseId > 0)
        filter.add(QStringLiteral("id = ?"), houseId);
    filter.text(QStringLiteral("dongno"), QStringLiteral("dongno = ?"), 20);
    filter.text(QStringLiteral("fangno"), QStringLiteral("fangno = ?"), 20);
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    qint64 total = 0;
    const QList<QVariantMap> rows = HouseCircleData::houses(db, request.session.companyId, static_cast<int>(kind),
                                                            filter.conditions(), filter.values(), pageIndex, pageSize,
                                                            &total);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray data;
    for (const QVariantMap& row : rows)
        data.append(circleHouseJson(row));
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), data}});
}

ServiceReply HouseCircleRoutes::detail(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("房源编号"), 1, LLONG_MAX);
    const qint64 kind = in.integer(QStringLiteral("type"), QStringLiteral("房源类型"), 0, 1);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    const QVariantMap row = HouseCircleData::house(db, request.session.companyId, static_cast<int>(kind), id);
    if (row.isEmpty())
        return db.lastError().isEmpty() ? Envelope::refused(QStringLiteral("该房源不存在或已被删除"))
                                        : Envelope::internalError();
    QJsonObject house = circleHouseJson(row);
    house.insert(QStringLiteral("type"), kind);
    return Envelope::success(house);
}

QJsonObject HouseCircleRoutes::circleHouseJson(const QVariantMap& row)
{
    const auto str = [&row](const char* key) { return row.value(QString::fromLatin1(key)).toString(); };
    return QJsonObject{
        {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
        {QStringLiteral("title"), str("title")},
        {QStringLiteral("housename"), str("housename")},
        {QStringLiteral("dongno"), str("dongno")},
        {QStringLiteral("danyuan"), str("danyuan")},
        {QStringLiteral("fangno"), str("fangno")},
        {QStringLiteral("hutype"), str("hutype")},
        {QStringLiteral("mianji"), row.value(QStringLiteral("mianji")).toDouble()},
        {QStringLiteral("price"), str("price")},
        {QStringLiteral("company"), str("company")},
        {QStringLiteral("own"), row.value(QStringLiteral("own")).toInt() != 0},
        {QStringLiteral("time"), str("time")},
    };
}
