#include "routes/content/ContentRoutes.h"

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

const int kJobsRight = 67;
const int kProfileRight = 68;

const qint64 kMaxPageIndex = 1000000;
const qint64 kMaxPageSize = 100;
const qint64 kDefaultPageSize = 20;

const QString kIdLabel = QStringLiteral("职位编号");
const QString kMissingJob = QStringLiteral("该职位不存在或已被删除");

bool mayWrite(ServiceDatabase& db, const ServiceRequest& request, int right)
{
    return RightsCheck::hasAny(db, request.session, {right});
}

ServiceReply answer(ContentData::Change change, const QJsonObject& data, const QString& message)
{
    switch (change) {
    case ContentData::Change::Done:
        return Envelope::success(data, message);
    case ContentData::Change::NotFound:
        return Envelope::refused(kMissingJob);
    case ContentData::Change::Failed:
        break;
    }
    return Envelope::internalError();
}

} // namespace

ContentRoutes::ContentRoutes(ServiceContext& context)
    : m_context(context)
{
}

void ContentRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/mtore/companyinfo"), session,
               [this](const ServiceRequest& r) { return profile(r); });
    router.add(QStringLiteral("api/mtore/companyinfoaddmod"), session,
               [this](const ServiceRequest& r) { return saveProfile(r); });
    router.add(QStringLiteral("api/mtore/joinusposts"), session,
               [this](const ServiceRequest& r) { return jobPosts(r); });
    router.add(QStringLiteral("api/mtore/joinusadd"), session, [this](const ServiceRequest& r) { return addJob(r); });
    router.add(QStringLiteral("api/mtore/joinusmodify"), session,
               [this](const ServiceRequest& r) { return modifyJob(r); });
    router.add(QStringLiteral("api/mtore/joinusdelete"), session,
               [this](const ServiceRequest& r) { return deleteJob(r); });
}

ServiceReply ContentRoutes::profile(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    const ContentData::Profile profile = ContentData::profile(db, request.session.companyId);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    return Envelope::success(profileJson(profile));
}

ServiceReply ContentRoutes::saveProfile(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    if (!mayWrite(db, request, kProfileRight))
        return Envelope::refused(RightsCheck::noRightMessage());
    // In the order the editor checks its form.
    ParamReader in(request.params);
    ContentData::Profile profile;
    profile.photos = readPhotos(in);
    profile.address = in.text(QStringLiteral("address"), QStringLiteral("公司地址"), 200);
    profile.tel = in.text(QStringLiteral("tel"), QStringLiteral("公司联系电话"), 50);
    profile.content = in.text(QStringLiteral("content"), QStringLiteral("公司介绍"), 20000);
    if (!in.ok())
        return Envelope::refused(in.message());
    if (!ContentData::saveProfile(db, request.session.companyId, profile))
        return Envelope::internalError();
    return Envelope::success(profileJson(profile), QStringLiteral("保存成功"));
}

QStringList ContentRoutes::readPhotos(ParamReader& in)
{
    const QString joined = in.optionalText(QStringLiteral("photos"), QString(), 20000);
    if (joined.isEmpty()) {
        in.fail(QStringLiteral("请至少选择一张图片"));
        return {};
    }
    // An empty piece is a photo whose upload failed: saving without it would lose it unnoticed.
    const QStringList photos = joined.split(QLatin1Char(','));
    for (int i = 0; i < photos.size(); ++i) {
        if (photos.at(i).trimmed().isEmpty()) {
            in.fail(QStringLiteral("第%1张图片没有地址，请重新上传").arg(i + 1));
            return {};
        }
        if (!PictureAddress::isValid(photos.at(i))) {
            in.fail(QStringLiteral("第%1张图片的地址无效").arg(i + 1));
            return {};
        }
    }
    return photos;
}

ServiceReply ContentRoutes::jobPosts(const ServiceRequest& request)
{
    ParamReader in(request.params);
    ListFilter filter(request.params, in);
    filter.contains(QStringLiteral("key"), {QStringLiteral("title")});
    // The job page lists every posting; the link picker turns pages.
    const bool paged = !request.params.value(QStringLiteral("pageindex")).trimmed().isEmpty()
        || !request.params.value(QStringLiteral("pagesize")).trimmed().isEmpty();
    const qint64 pageIndex =
        in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, kMaxPageIndex);
    const qint64 pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"),
                                               kDefaultPageSize, 1, kMaxPageSize);
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    qint64 total = 0;
    const QList<ContentData::Job> jobs = ContentData::jobs(db, request.session.companyId, filter.conditions(),
                                                           filter.values(), pageIndex, paged ? pageSize : 0, &total);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray data;
    for (const ContentData::Job& job : jobs)
        data.append(jobJson(job));
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), data}});
}

ContentData::Job ContentRoutes::readJob(ParamReader& in)
{
    // The required texts in the order the editor checks them.
    ContentData::Job job;
    job.title = in.text(QStringLiteral("title"), QStringLiteral("职位名称"), 100);
    job.xinzi = in.text(QStringLiteral("xinzi"), QStringLiteral("职位薪资"), 50);
    job.address = in.text(QStringLiteral("address"), QStringLiteral("工作地点"), 200);
    job.tel = in.text(QStringLiteral("tel"), QStringLiteral("联系电话"), 50);
    job.content = in.text(QStringLiteral("content"), QStringLiteral("职位描述"), 20000);
    job.xueli = in.optionalText(QStringLiteral("xueli"), QString(), 20);
    job.jingyan = in.optionalText(QStringLiteral("jingyan"), QString(), 20);
    // A tag of blanks is a tag the user typed; only the gaps between commas are not.
    job.tags = in.optionalText(QStringLiteral("tags"), QString(), 1000).split(QLatin1Char(','), Qt::SkipEmptyParts);
    return job;
}

ServiceReply ContentRoutes::addJob(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    if (!mayWrite(db, request, kJobsRight))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    ContentData::Job job = readJob(in);
    if (!in.ok())
        return Envelope::refused(in.message());
    job.id = ContentData::addJob(db, request.session.companyId, job);
    if (job.id == 0)
        return Envelope::internalError();
    return Envelope::success(jobJson(job), QStringLiteral("添加成功"));
}

ServiceReply ContentRoutes::modifyJob(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    if (!mayWrite(db, request, kJobsRight))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    ContentData::Job job = readJob(in);
    if (!in.ok())
        return Envelope::refused(in.message());
    job.id = id;
    return answer(ContentData::updateJob(db, request.session.companyId, job), jobJson(job), QStringLiteral("修改成功"));
}

ServiceReply ContentRoutes::deleteJob(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    if (!mayWrite(db, request, kJobsRight))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    return answer(ContentData::removeJob(db, request.session.companyId, id), QJsonObject{{QStringLiteral("id"), id}},
                  QStringLiteral("删除成功"));
}

QJsonObject ContentRoutes::profileJson(const ContentData::Profile& profile)
{
    return QJsonObject{
        {QStringLiteral("content"), profile.content},
        {QStringLiteral("address"), profile.address},
        {QStringLiteral("tel"), profile.tel},
        {QStringLiteral("photos"), QJsonArray::fromStringList(profile.photos)},
    };
}

QJsonObject ContentRoutes::jobJson(const ContentData::Job& job)
{
    return QJsonObject{
        {QStringLiteral("id"), job.id},
        {QStringLiteral("title"), job.title},
        {QStringLiteral("xinzi"), job.xinzi},
        {QStringLiteral("xueli"), job.xueli},
        {QStringLiteral("jingyan"), job.jingyan},
        {QStringLiteral("address"), job.address},
        {QStringLiteral("content"), job.content},
        {QStringLiteral("tel"), job.tel},
        {QStringLiteral("tags"), QJsonArray::fromStringList(job.tags)},
    };
}
