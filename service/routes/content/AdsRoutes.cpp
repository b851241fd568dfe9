#include "routes/content/AdsRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/PictureAddress.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>

#include <climits>

namespace {

const int kAdsRight = 69;
const qint64 kMaxAdverts = 50;

const QString kIdLabel = QStringLiteral("轮播图编号");
const QString kMissingAdvert = QStringLiteral("该轮播图不存在或已被删除");

const QString kPickerPageSize = QStringLiteral("20");

QString missingTarget(int type)
{
    switch (type) {
    case AdsData::NewHouse:
        return QStringLiteral("所选新房不存在或已被删除");
    case AdsData::Job:
        return QStringLiteral("所选职位不存在或已被删除");
    default:
        break;
    }
    return QStringLiteral("所选房源不存在或已被删除");
}

ServiceReply answer(AdsData::Change change, const QJsonObject& data, const QString& message)
{
    switch (change) {
    case AdsData::Change::Done:
        return Envelope::success(data, message);
    case AdsData::Change::NotFound:
        return Envelope::refused(kMissingAdvert);
    case AdsData::Change::Failed:
        break;
    }
    return Envelope::internalError();
}

} // namespace

AdsRoutes::AdsRoutes(ServiceContext& context)
    : m_context(context)
    , m_adverts(context.db(), QStringLiteral("carousel_ads"), QString(), kIdLabel, kMissingAdvert)
    , m_newHouses(context.db(), QStringLiteral("newhouse_projects"), QStringLiteral("istop"),
                  QStringLiteral("项目编号"), QStringLiteral("该新房项目不存在"))
{
}

void AdsRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/mtore/lunboposts"), session, [this](const ServiceRequest& r) { return posts(r); });
    router.add(QStringLiteral("api/mtore/lunboadd"), session,
               [this](const ServiceRequest& r) { return save(r, false); });
    router.add(QStringLiteral("api/mtore/lunbomodify"), session,
               [this](const ServiceRequest& r) { return save(r, true); });
    router.add(QStringLiteral("api/mtore/lunbodelete"), session, [this](const ServiceRequest& r) { return remove(r); });
    router.add(QStringLiteral("api/mtore/lunbopaixu"), session,
               [this](const ServiceRequest& r) { return m_adverts.sort(r, kAdsRight, kAdsRight); });
    router.add(QStringLiteral("api/nhouse/posts"), session,
               [this](const ServiceRequest& r) { return newHousePosts(r); });
}

ServiceReply AdsRoutes::posts(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    const QList<AdsData::Advert> adverts = AdsData::adverts(db, request.session.companyId);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray list;
    for (const AdsData::Advert& advert : adverts)
        list.append(advertJson(advert));
    return Envelope::success(list);
}

AdsData::Advert AdsRoutes::readAdvert(ParamReader& in)
{
    AdsData::Advert advert;
    advert.photo = in.text(QStringLiteral("photo"), QStringLiteral("轮播图片"), 2000);
    if (in.ok() && !PictureAddress::isValid(advert.photo))
        in.fail(QStringLiteral("轮播图片的地址无效"));
    advert.type = static_cast<int>(in.integer(QStringLiteral("type"), QStringLiteral("链接类型"), AdsData::NoLink,
                                              AdsData::CompanyProfile));
    advert.itemid = in.optionalInteger(QStringLiteral("itemid"), QStringLiteral("链接编号"), 0, 0, LLONG_MAX);
    advert.title = in.optionalText(QStringLiteral("title"), QString(), 200);
    const bool takesItem = advert.type != AdsData::NoLink && advert.type != AdsData::CompanyProfile;
    if (advert.itemid != 0 && !takesItem)
        in.fail(QStringLiteral("该链接类型不能选择具体位置"));
    return advert;
}

ServiceReply AdsRoutes::refuseLink(const ServiceRequest& request, const AdsData::Advert& advert)
{
    // 0 is the list page of the kind, which every company has.
    if (advert.itemid == 0)
        return ServiceReply();
    ServiceDatabase& db = m_context.db();
    if (AdsData::hasLinkTarget(db, request.session.companyId, advert.type, advert.itemid))
        return ServiceReply();
    return db.lastError().isEmpty() ? Envelope::refused(missingTarget(advert.type)) : Envelope::internalError();
}

ServiceReply AdsRoutes::save(const ServiceRequest& request, bool existing)
{
    ServiceDatabase& db = m_context.db();
    if (!RightsCheck::hasAny(db, request.session, {kAdsRight}))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    const qint64 id = existing ? in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX) : 0;
    AdsData::Advert advert = readAdvert(in);
    if (!in.ok())
        return Envelope::refused(in.message());
    const ServiceReply refusal = refuseLink(request, advert);
    if (!refusal.body.isEmpty())
        return refusal;
    if (existing) {
        advert.id = id;
        return answer(AdsData::update(db, request.session.companyId, advert), advertJson(advert),
                      QStringLiteral("修改成功"));
    }
    // Counted and added in one transaction, so adverts added at once stay within the bound and
    // take distinct places.
    bool full = false;
    const bool added = db.transaction([&] {
        const qint64 count = AdsData::count(db, request.session.companyId);
        full = count >= kMaxAdverts;
        if (count < 0 || full)
            return false;
        advert.id = AdsData::add(db, request.session.companyId, advert);
        return advert.id != 0;
    });
    if (full)
        return Envelope::refused(QStringLiteral("首页轮播图最多%1张，请先删除不用的").arg(kMaxAdverts));
    if (!added)
        return Envelope::internalError();
    return Envelope::success(advertJson(advert), QStringLiteral("添加成功"));
}

ServiceReply AdsRoutes::remove(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    if (!RightsCheck::hasAny(db, request.session, {kAdsRight}))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    return answer(AdsData::remove(db, request.session.companyId, id), QJsonObject{{QStringLiteral("id"), id}},
                  QStringLiteral("删除成功"));
}

ServiceReply AdsRoutes::newHousePosts(const ServiceRequest& request)
{
    // The picker turns pages of twenty; the project list's own five-a-page default is not for it.
    ServiceRequest paged = request;
    if (paged.params.value(QStringLiteral("pagesize")).trimmed().isEmpty()) {
        ServiceParams size;
        size.add(QStringLiteral("pagesize"), kPickerPageSize);
        paged.params.merge(size, true);
    }
    const auto filters = [](ListFilter& filter) { filter.contains(QStringLiteral("name"), {QStringLiteral("name")}); };
    return m_newHouses.posts(paged, filters, [](const QVariantMap& row) {
        const auto str = [&row](const char* key) { return row.value(QString::fromLatin1(key)).toString(); };
        return QJsonObject{
            {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
            {QStringLiteral("name"), str("name")},
            {QStringLiteral("thumbnail"), str("thumbnail")},
            {QStringLiteral("district"), str("district")},
            {QStringLiteral("area"), str("area")},
            {QStringLiteral("address"), str("address")},
            {QStringLiteral("junjia"), str("junjia")},
            {QStringLiteral("zhuangtai"), str("zhuangtai")},
            {QStringLiteral("wstore"), row.value(QStringLiteral("wstore")).toInt() != 0},
        };
    });
}

QJsonObject AdsRoutes::advertJson(const AdsData::Advert& advert)
{
    return QJsonObject{
        {QStringLiteral("id"), advert.id},
        {QStringLiteral("title"), advert.title},
        {QStringLiteral("photo"), advert.photo},
        {QStringLiteral("type"), advert.type},
        {QStringLiteral("itemid"), advert.itemid},
    };
}
