#include "routes/listings/NewHouseRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/listings/HouseManagerRoutes.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"

#include <climits>

namespace {

const int kPutUpRight = 70;
const int kPinRight = 72;
const int kSortRight = 73;
const int kRecommendRight = 97;

const QString kIdLabel = QStringLiteral("项目编号");
const QString kMissing = QStringLiteral("该新房项目不存在");

const int kProjectRecommend = 1;
const int kHouseRecommend = 0;

} // namespace

NewHouseRoutes::NewHouseRoutes(ServiceContext& context)
    : m_context(context)
    , m_projects(context.db(), QStringLiteral("newhouse_projects"), QStringLiteral("istop"), kIdLabel, kMissing)
{
}

void NewHouseRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/mtore/newhouseposts"), session, [this](const ServiceRequest& r) { return posts(r); });
    router.add(QStringLiteral("api/nhouse/paixu"), session,
               [this](const ServiceRequest& r) { return m_projects.sort(r, kSortRight, kPinRight); });
    router.add(QStringLiteral("api/nhouse/canceltop"), session,
               [this](const ServiceRequest& r) { return m_projects.unpin(r, {kPinRight, kSortRight}); });
    router.add(QStringLiteral("api/nhouse/clickstore"), session,
               [this](const ServiceRequest& r) { return m_projects.togglePutUp(r, kPutUpRight); });
    router.add(QStringLiteral("api/mtore/settuijian"), session, [this](const ServiceRequest& r) { return setTuijian(r); });
    router.add(QStringLiteral("api/nhouse/detail"), session, [this](const ServiceRequest& r) {
        return m_projects.detail(r, [](const QVariantMap& row) { return projectJson(row, true); });
    });
}

ServiceReply NewHouseRoutes::posts(const ServiceRequest& request)
{
    const auto filters = [](ListFilter& filter) {
        filter.text(QStringLiteral("district"), QStringLiteral("district = ?"));
        filter.text(QStringLiteral("area"), QStringLiteral("area = ?"));
        filter.contains(QStringLiteral("name"), {QStringLiteral("name")});
        filter.amount(QStringLiteral("priceone"), QStringLiteral("最低价格"),
                      QStringLiteral("junjia >= CAST(? AS REAL)"));
        filter.amount(QStringLiteral("pricetwo"), QStringLiteral("最高价格"),
                      QStringLiteral("junjia <= CAST(? AS REAL)"));
    };
    return m_projects.posts(request, filters, [](const QVariantMap& row) { return projectJson(row, false); });
}

ServiceReply NewHouseRoutes::setTuijian(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const int type = static_cast<int>(in.integer(QStringLiteral("type"), QStringLiteral("推荐类型"), 0, 1));
    if (!in.ok())
        return Envelope::refused(in.message());
    switch (type) {
    case kProjectRecommend:
        return recommendProject(request, in);
    case kHouseRecommend:
        return HouseManagerRoutes::recommendHouse(m_context, request, in);
    default:
        break;
    }
    return Envelope::refused(QStringLiteral("暂不支持推荐该类信息"));
}

ServiceReply NewHouseRoutes::recommendProject(const ServiceRequest& request, ParamReader& in)
{
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    const qint64 state = in.integer(QStringLiteral("state"), QStringLiteral("推荐状态"), 0, 1);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    if (!RightsCheck::hasAny(db, request.session, {kRecommendRight}))
        return Envelope::refused(RightsCheck::noRightMessage());
    if (db.company(request.session.companyId).value(QStringLiteral("site_open")).toInt() == 0)
        return Envelope::refused(QStringLiteral("您尚未开通官网服务!"));
    if (!db.execute(QStringLiteral("UPDATE newhouse_projects SET tuijian = ? WHERE id = ? AND company_id = ?"),
                    {state, id, request.session.companyId}))
        return Envelope::internalError();
    if (db.changes() == 0)
        return Envelope::refused(kMissing);
    return Envelope::success(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("tuijian"), state != 0}},
                             state ? QStringLiteral("推荐成功") : QStringLiteral("已取消推荐"));
}

QJsonObject NewHouseRoutes::projectJson(const QVariantMap& row, bool withDetails)
{
    const auto str = [&row](const char* key) { return row.value(QString::fromLatin1(key)).toString(); };
    const auto flag = [&row](const char* key) { return row.value(QString::fromLatin1(key)).toInt() != 0; };
    QJsonObject project{
        {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
        {QStringLiteral("thumbnail"), str("thumbnail")},
        {QStringLiteral("name"), str("name")},
        {QStringLiteral("zhuangtai"), str("zhuangtai")},
        {QStringLiteral("dongtai"), str("dongtai")},
        {QStringLiteral("province"), str("province")},
        {QStringLiteral("cityname"), str("cityname")},
        {QStringLiteral("district"), str("district")},
        {QStringLiteral("area"), str("area")},
        {QStringLiteral("address"), str("address")},
        {QStringLiteral("junjia"), str("junjia")},
        {QStringLiteral("yongjin"), str("yongjin")},
        {QStringLiteral("wstore"), flag("wstore")},
        {QStringLiteral("leixing"), str("leixing")},
        {QStringLiteral("istop"), flag("istop")},
        {QStringLiteral("tuijian"), flag("tuijian")},
        {QStringLiteral("telbefore"), str("telbefore")},
        {QStringLiteral("telafter"), str("telafter")},
    };
    if (withDetails) {
        project.insert(QStringLiteral("kaifashang"), str("developer"));
        project.insert(QStringLiteral("kaipan"), str("opening"));
        project.insert(QStringLiteral("huxing"), str("layouts"));
        project.insert(QStringLiteral("mianji"), str("areas"));
    }
    return project;
}
