#include "routes/content/TopicRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/PictureAddress.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The right that opens the site's articles, topics among them.
const int kArticlesRight = 148;

const qint64 kMaxPageIndex = 1000000;
const qint64 kMaxPageSize = 100;
const qint64 kDefaultPageSize = 10;
const int kMaxHouses = 200;
// Beyond this a JSON number no longer holds every integer.
const double kMaxHouseId = 9007199254740991.0;

const QString kIdLabel = QStringLiteral("专题编号");
const QString kMissingTopic = QStringLiteral("该专题不存在或已被删除");
const QString kBadHouses = QStringLiteral("关联房源格式错误");

ServiceReply answer(TopicData::Change change, const QJsonObject& data, const QString& message)
{
    switch (change) {
    case TopicData::Change::Done:
        return Envelope::success(data, message);
    case TopicData::Change::NotFound:
        return Envelope::refused(kMissingTopic);
    case TopicData::Change::Failed:
        break;
    }
    return Envelope::internalError();
}

bool isHouse(const QJsonValue& value)
{
    const QJsonObject house = value.toObject();
    const QJsonValue id = house.value(QStringLiteral("id"));
    const double number = id.toDouble();
    return value.isObject() && id.isDouble() && number >= 1 && number <= kMaxHouseId && std::floor(number) == number
        && house.value(QStringLiteral("title")).isString();
}

} // namespace

TopicRoutes::TopicRoutes(ServiceContext& context)
    : m_context(context)
{
}

void TopicRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("site/softsubjectlist"), session, [this](const ServiceRequest& r) { return list(r); });
    router.add(QStringLiteral("site/subjects"), session, [this](const ServiceRequest& r) { return setSort(r); });
    router.add(QStringLiteral("site/subjectsdel"), session, [this](const ServiceRequest& r) { return remove(r); });
    router.add(QStringLiteral("site/subject_add"), session, [this](const ServiceRequest& r) { return add(r); });
    router.add(QStringLiteral("site/subject_edit"), session, [this](const ServiceRequest& r) { return edit(r); });
}

ServiceReply TopicRoutes::refuse(const ServiceRequest& request, ParamReader& in, bool owner) const
{
    if (!RightsCheck::hasAny(m_context.db(), request.session, {kArticlesRight}))
        return Envelope::refused(RightsCheck::noRightMessage());
    // The router has matched both to the session when they are given; here they must be.
    if (owner) {
        in.text(QStringLiteral("companyid"), QStringLiteral("公司编号"), 32);
        in.text(QStringLiteral("cityid"), QStringLiteral("城市编号"), 32);
    }
    return in.ok() ? ServiceReply() : Envelope::refused(in.message());
}

ServiceReply TopicRoutes::list(const ServiceRequest& request)
{
    ParamReader in(request.params);
    ServiceReply refusal = refuse(request, in, true);
    if (!refusal.body.isEmpty())
        return refusal;
    const qint64 page = in.optionalInteger(QStringLiteral("page"), QStringLiteral("页码"), 1, 1, kMaxPageIndex);
    const qint64 pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"),
                                               kDefaultPageSize, 1, kMaxPageSize);
    ListFilter filter(request.params, in);
    filter.contains(QStringLiteral("key"), {QStringLiteral("title"), QStringLiteral("title_one")});
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    const QList<TopicData::Topic> topics =
        TopicData::topics(db, request.session.companyId, filter.conditions(), filter.values(), page, pageSize);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray rows;
    for (const TopicData::Topic& topic : topics)
        rows.append(topicJson(topic));
    return Envelope::success(rows);
}

ServiceReply TopicRoutes::setSort(const ServiceRequest& request)
{
    ParamReader in(request.params);
    ServiceReply refusal = refuse(request, in, true);
    if (!refusal.body.isEmpty())
        return refusal;
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    const qint64 sort = in.integer(QStringLiteral("sort"), QStringLiteral("排序值"), INT_MIN, INT_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    return answer(TopicData::setSort(m_context.db(), request.session.companyId, id, sort),
                  QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("sort"), sort}},
                  QStringLiteral("修改成功"));
}

ServiceReply TopicRoutes::remove(const ServiceRequest& request)
{
    ParamReader in(request.params);
    ServiceReply refusal = refuse(request, in, true);
    if (!refusal.body.isEmpty())
        return refusal;
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    return answer(TopicData::remove(m_context.db(), request.session.companyId, id),
                  QJsonObject{{QStringLiteral("id"), id}}, QStringLiteral("删除成功"));
}

ServiceReply TopicRoutes::add(const ServiceRequest& request)
{
    ParamReader in(request.params);
    ServiceReply refusal = refuse(request, in, true);
    if (!refusal.body.isEmpty())
        return refusal;
    TopicData::Topic topic = readTopic(in);
    if (!in.ok())
        return Envelope::refused(in.message());
    refusal = refuseHouses(request, topic.houseid);
    if (!refusal.body.isEmpty())
        return refusal;
    topic.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    topic.id = TopicData::add(m_context.db(), request.session.companyId, topic);
    if (topic.id == 0)
        return Envelope::internalError();
    return Envelope::success(topicJson(topic), QStringLiteral("添加成功"));
}

ServiceReply TopicRoutes::edit(const ServiceRequest& request)
{
    // The editor names the topic by its id alone.
    ParamReader in(request.params);
    ServiceReply refusal = refuse(request, in, false);
    if (!refusal.body.isEmpty())
        return refusal;
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    TopicData::Topic topic = readTopic(in);
    if (!in.ok())
        return Envelope::refused(in.message());
    topic.id = id;
    ServiceDatabase& db = m_context.db();
    // Another company's topic is missing, whatever houses come with it.
    if (TopicData::topic(db, request.session.companyId, id).id == 0)
        return answer(db.lastError().isEmpty() ? TopicData::Change::NotFound : TopicData::Change::Failed,
                      QJsonObject(), QString());
    refusal = refuseHouses(request, topic.houseid);
    if (!refusal.body.isEmpty())
        return refusal;
    const TopicData::Change change = TopicData::update(db, request.session.companyId, topic);
    if (change != TopicData::Change::Done)
        return answer(change, QJsonObject(), QString());
    return Envelope::success(topicJson(TopicData::topic(db, request.session.companyId, id)),
                             QStringLiteral("修改成功"));
}

TopicData::Topic TopicRoutes::readTopic(ParamReader& in)
{
    // In the order the editor checks its form.
    TopicData::Topic topic;
    topic.title = in.text(QStringLiteral("title"), QStringLiteral("专题标题"), 100);
    topic.titleOne = in.optionalText(QStringLiteral("title_one"), QString(), 200);
    topic.img = in.text(QStringLiteral("img"), QStringLiteral("专题图标"), 2000);
    if (in.ok() && !PictureAddress::isValid(topic.img))
        in.fail(QStringLiteral("专题图标的地址无效"));
    topic.houseid = in.text(QStringLiteral("houseid"), QStringLiteral("关联房源"), 40000);
    if (in.ok())
        checkHouses(in, topic.houseid);
    return topic;
}

void TopicRoutes::checkHouses(ParamReader& in, const QString& houses)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(houses.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        in.fail(kBadHouses);
        return;
    }
    const QJsonArray list = document.array();
    if (list.isEmpty())
        in.fail(QStringLiteral("至少得选择一套关联房源"));
    else if (list.size() > kMaxHouses)
        in.fail(QStringLiteral("关联房源最多%1套").arg(kMaxHouses));
    else if (!std::all_of(list.begin(), list.end(), isHouse))
        in.fail(kBadHouses);
}

ServiceReply TopicRoutes::refuseHouses(const ServiceRequest& request, const QString& houses)
{
    // Only the company's own houses that still exist; checkHouses has vouched for the form.
    ServiceDatabase& db = m_context.db();
    const QJsonArray list = QJsonDocument::fromJson(houses.toUtf8()).array();
    for (const QJsonValue& house : list) {
        const qint64 id = static_cast<qint64>(house.toObject().value(QStringLiteral("id")).toDouble());
        if (!TopicData::hasHouse(db, request.session.companyId, id))
            return db.lastError().isEmpty() ? Envelope::refused(QStringLiteral("所选房源不存在或已被删除"))
                                            : Envelope::internalError();
    }
    return ServiceReply();
}

QJsonObject TopicRoutes::topicJson(const TopicData::Topic& topic)
{
    return QJsonObject{
        {QStringLiteral("id"), topic.id},
        {QStringLiteral("title"), topic.title},
        {QStringLiteral("title_one"), topic.titleOne},
        {QStringLiteral("img"), topic.img},
        {QStringLiteral("houseid"), topic.houseid},
        {QStringLiteral("hits"), topic.hits},
        {QStringLiteral("time"), topic.time},
        {QStringLiteral("sort"), topic.sort},
    };
}
