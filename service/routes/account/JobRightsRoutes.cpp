#include "routes/account/JobRightsRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/JsonText.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/OrganisationData.h"

#include <QJsonObject>
#include <QSet>

#include <climits>

namespace {

const QString kBadRights = QStringLiteral("权限内容格式错误");
const QString kBumens = QStringLiteral("bumens");
const int kMaxContentLength = 200000;
// The data ranges a right can hold: whole company, own department, oneself, own department and
// below (3 and 4), chosen departments, own department.
const int kMaxRange = 6;

// A department named by number, or by its number as text as the organisation sends it; 0 for
// anything else.
qint64 departmentId(const QJsonValue& value)
{
    if (JsonText::isWholeNumber(value))
        return value.toInt();
    bool ok = false;
    const qint64 id = value.toString().toLongLong(&ok);
    return value.isString() && ok ? id : 0;
}

} // namespace

JobRightsRoutes::JobRightsRoutes(ServiceContext& context)
    : m_context(context)
{
}

void JobRightsRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/workcenter/jobauthInfo"), session,
               [this](const ServiceRequest& r) { return rights(r); });
    router.add(QStringLiteral("api/workcenter/jobedit"), session,
               [this](const ServiceRequest& r) { return saveRights(r); });
}

ServiceReply JobRightsRoutes::findJob(const ServiceRequest& request, qint64* jobId) const
{
    ParamReader in(request.params);
    *jobId = in.integer(QStringLiteral("id"), QStringLiteral("角色编号"), 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    const QVariantMap job = JobRightsData::job(db, request.session.companyId, *jobId);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    if (job.isEmpty())
        return Envelope::refused(QStringLiteral("该角色不存在"));
    return ServiceReply();
}

ServiceReply JobRightsRoutes::rights(const ServiceRequest& request)
{
    qint64 jobId = 0;
    const ServiceReply refusal = findJob(request, &jobId);
    if (!refusal.body.isEmpty())
        return refusal;
    return answer(jobId, QStringLiteral("成功"));
}

ServiceReply JobRightsRoutes::answer(qint64 jobId, const QString& message) const
{
    ServiceDatabase& db = m_context.db();
    const QList<JobRightsData::App> apps = JobRightsData::apps(db, jobId);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray list;
    for (const JobRightsData::App& app : apps) {
        // The editor keeps a right's departments as JSON text; the checks and the login an array.
        QJsonArray content;
        for (const QJsonValue& value : app.content) {
            QJsonObject entry = value.toObject();
            if (value.isObject() && entry.value(kBumens).isArray())
                entry.insert(kBumens, JsonText::compact(entry.value(kBumens).toArray()));
            content.append(value.isObject() ? QJsonValue(entry) : value);
        }
        list.append(QJsonObject{{QStringLiteral("id"), app.id},
                                {QStringLiteral("name"), app.name},
                                {QStringLiteral("content"), content}});
    }
    return Envelope::success(list, message);
}

ServiceReply JobRightsRoutes::saveRights(const ServiceRequest& request)
{
    if (!request.session.isManager)
        return Envelope::refused(RightsCheck::noRightMessage());
    qint64 jobId = 0;
    const ServiceReply refusal = findJob(request, &jobId);
    if (!refusal.body.isEmpty())
        return refusal;
    ServiceDatabase& db = m_context.db();
    const OrganisationData org = OrganisationData::load(db, {request.session.companyId});
    if (!org.ok())
        return Envelope::internalError();
    ParamReader in(request.params);
    const QString content = in.text(QStringLiteral("content"), QStringLiteral("权限内容"), kMaxContentLength);
    const QList<JobRightsData::App> apps = in.ok() ? readApps(in, content, org) : QList<JobRightsData::App>();
    if (!in.ok())
        return Envelope::refused(in.message());
    if (!JobRightsData::saveApps(db, jobId, apps))
        return Envelope::internalError();
    return answer(jobId, QStringLiteral("保存成功"));
}

QList<JobRightsData::App> JobRightsRoutes::readApps(ParamReader& in, const QString& text,
                                                    const OrganisationData& org)
{
    const QJsonDocument document = JsonText::parse(text);
    if (!document.isArray()) {
        in.fail(kBadRights);
        return {};
    }
    QList<JobRightsData::App> apps;
    QSet<qint64> seen;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        const QJsonValue id = object.value(QStringLiteral("id"));
        const QJsonValue content = object.value(QStringLiteral("content"));
        if (!value.isObject() || !JsonText::isWholeNumber(id) || !content.isArray() || seen.contains(id.toInt())) {
            in.fail(kBadRights);
            return {};
        }
        seen.insert(id.toInt());
        JobRightsData::App app;
        app.id = id.toInt();
        // The name is the service's: the editor only sends it back.
        app.name = JobRightsData::appName(app.id);
        if (app.name.isEmpty()) {
            in.fail(QStringLiteral("不支持的应用：%1").arg(app.id));
            return {};
        }
        app.content = readRights(in, app.id, content.toArray(), org);
        if (!in.ok())
            return {};
        apps.append(app);
    }
    return apps;
}

QJsonArray JobRightsRoutes::readRights(ParamReader& in, qint64 appId, const QJsonArray& entries,
                                       const OrganisationData& org)
{
    const QList<int> known = JobRightsData::rightIds(appId);
    QSet<int> seen;
    QJsonArray rights;
    for (const QJsonValue& value : entries) {
        QJsonObject entry = value.toObject();
        const QJsonValue id = entry.value(QStringLiteral("id"));
        // A right without a yes or no would be read as refused by one check and granted by another.
        if (!value.isObject() || !JsonText::isWholeNumber(id) || !entry.value(QStringLiteral("selected")).isBool()) {
            in.fail(kBadRights);
            return {};
        }
        const int right = id.toInt();
        if (!known.contains(right)) {
            in.fail(QStringLiteral("不支持的权限项：%1").arg(right));
            return {};
        }
        if (seen.contains(right)) {
            in.fail(QStringLiteral("权限项重复：%1").arg(right));
            return {};
        }
        seen.insert(right);
        const QJsonValue range = entry.value(QStringLiteral("range"));
        if (entry.contains(QStringLiteral("range"))
            && (!JsonText::isWholeNumber(range) || range.toInt() < 0 || range.toInt() > kMaxRange)) {
            in.fail(QStringLiteral("权限范围错误：%1").arg(right));
            return {};
        }
        if (entry.contains(kBumens))
            entry.insert(kBumens, readDepartments(in, entry.value(kBumens), org));
        if (!in.ok())
            return {};
        rights.append(entry);
    }
    return rights;
}

QJsonArray JobRightsRoutes::readDepartments(ParamReader& in, const QJsonValue& value, const OrganisationData& org)
{
    QJsonArray departments;
    if (value.isArray()) {
        departments = value.toArray();
    } else if (value.isString() && !value.toString().trimmed().isEmpty()) {
        const QJsonDocument document = JsonText::parse(value.toString());
        if (!document.isArray()) {
            in.fail(QStringLiteral("指定部门格式错误"));
            return {};
        }
        departments = document.array();
    } else if (!value.isString()) {
        in.fail(QStringLiteral("指定部门格式错误"));
        return {};
    }
    for (const QJsonValue& department : departments) {
        // A department of another company, or none, would stand in the scope for nothing.
        if (!org.contains(departmentId(department.toObject().value(QStringLiteral("dept_id"))))) {
            in.fail(QStringLiteral("指定部门不存在"));
            return {};
        }
    }
    return departments;
}
