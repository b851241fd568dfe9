#include "routes/account/AccountRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRouter.h"
#include "sessions/PasswordHasher.h"
#include "sessions/SecureRandom.h"
#include "sessions/SessionStore.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/JobRightsData.h"

#include <QDateTime>
#include <QStringList>

AccountRoutes::AccountRoutes(ServiceContext& context)
    : m_context(context)
    , m_decoyHash(PasswordHasher::hash(SecureRandom::hex(16)))
    , m_throttle(context.db())
{
}

void AccountRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("api/account/initialize"), ServiceRouter::Access::Public,
               [this](const ServiceRequest& request) { return initialize(request); });
    router.add(QStringLiteral("api/account/logout"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return logout(request); });
}

ServiceReply AccountRoutes::initialize(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const QString phone = in.text(QStringLiteral("phone"), QStringLiteral("手机号"), 32);
    const QString password = in.text(QStringLiteral("password"), QStringLiteral("密码"), 128);
    if (!in.ok())
        return Envelope::refused(in.message());

    // The check is claimed, and counted, before the slow password check, so that guesses sent
    // together when a wait ends are checked only as far as the count allows.
    qint64 wait = 0;
    if (!m_throttle.claim(phone, QDateTime::currentMSecsSinceEpoch(), &wait))
        return Envelope::internalError();
    if (wait > 0)
        return refusedLogin(QStringLiteral("密码错误次数过多，请%1秒后再试").arg((wait + 999) / 1000));
    const QVariantMap user = m_context.db().userByPhone(phone);
    if (!m_context.db().lastError().isEmpty())
        return Envelope::internalError();
    const QString stored = user.isEmpty() ? m_decoyHash : user.value(QStringLiteral("password")).toString();
    if (!PasswordHasher::verify(password, stored) || user.isEmpty())
        return refusedLogin(QStringLiteral("账号或密码错误"));
    if (!m_throttle.succeeded(phone))
        return Envelope::internalError();
    return loggedIn(user);
}

ServiceReply AccountRoutes::loggedIn(const QVariantMap& user)
{
    QString sessionId;
    QString token;
    if (!m_context.sessions().create(user.value(QStringLiteral("userid")).toLongLong(), &sessionId, &token))
        return Envelope::internalError();

    const QString companyId = user.value(QStringLiteral("companyid")).toString();
    QJsonObject data;
    data.insert(QStringLiteral("user"), loginData(user));
    data.insert(QStringLiteral("userauth"), userAuth(user.value(QStringLiteral("jobid")).toLongLong()));
    data.insert(QStringLiteral("bumens"), departments(companyId));
    data.insert(QStringLiteral("base"), baseLists(user.value(QStringLiteral("cityid")).toString(), companyId));
    data.insert(QStringLiteral("session"),
                QJsonObject{{QStringLiteral("sessionid"), sessionId}, {QStringLiteral("token"), token}});
    return Envelope::success(data, QStringLiteral("登录成功"));
}

ServiceReply AccountRoutes::refusedLogin(const QString& message)
{
    // Held back by the HTTP edge, which keeps no thread for it.
    ServiceReply reply = Envelope::refused(message);
    reply.delayMs = LoginThrottle::kRefusalPauseMs;
    return reply;
}

ServiceReply AccountRoutes::logout(const ServiceRequest& request)
{
    if (!m_context.sessions().remove(request.session.sessionId))
        return Envelope::internalError();
    return Envelope::success(QJsonValue(), QStringLiteral("已退出登录"));
}

QJsonObject AccountRoutes::loginData(const QVariantMap& user)
{
    const QString companyId = user.value(QStringLiteral("companyid")).toString();
    const bool siteOpen = user.value(QStringLiteral("site_open")).toInt() != 0;

    QStringList ownDepartments;
    const QList<QVariantMap> rows = m_context.db().select(
        QStringLiteral("SELECT dept_id FROM user_departments WHERE user_id = ? ORDER BY dept_id"),
        {user.value(QStringLiteral("userid"))});
    for (const QVariantMap& row : rows)
        ownDepartments.append(row.value(QStringLiteral("dept_id")).toString());

    QJsonObject data;
    data.insert(QStringLiteral("phone"), user.value(QStringLiteral("phone")).toString());
    data.insert(QStringLiteral("cityid"), user.value(QStringLiteral("cityid")).toString());
    data.insert(QStringLiteral("companyid"), companyId);
    data.insert(QStringLiteral("cityname"), user.value(QStringLiteral("cityname")).toString());
    data.insert(QStringLiteral("citylng"), user.value(QStringLiteral("citylng")).toDouble());
    data.insert(QStringLiteral("citylat"), user.value(QStringLiteral("citylat")).toDouble());
    data.insert(QStringLiteral("storeid"), user.value(QStringLiteral("storeid")).toLongLong());
    data.insert(QStringLiteral("userid"), user.value(QStringLiteral("userid")).toLongLong());
    data.insert(QStringLiteral("name"), user.value(QStringLiteral("name")).toString());
    data.insert(QStringLiteral("company"), user.value(QStringLiteral("company")).toString());
    data.insert(QStringLiteral("store"), user.value(QStringLiteral("store")).toString());
    data.insert(QStringLiteral("jobname"), user.value(QStringLiteral("jobname")).toString());
    data.insert(QStringLiteral("jobid"), user.value(QStringLiteral("jobid")).toLongLong());
    data.insert(QStringLiteral("weiguanwang"), siteOpen ? 1 : 0);
    data.insert(QStringLiteral("website"), m_context.siteUrl(companyId, siteOpen));
    data.insert(QStringLiteral("suozai_bumens"), ownDepartments.join(QLatin1Char(',')));
    data.insert(QStringLiteral("userinfo"),
                QJsonObject{{QStringLiteral("ismanager"), user.value(QStringLiteral("is_manager")).toInt() ? 1 : 0},
                            {QStringLiteral("isindependent"),
                             user.value(QStringLiteral("is_independent")).toInt() ? 1 : 0}});
    return data;
}

QJsonArray AccountRoutes::userAuth(qint64 jobId)
{
    QJsonArray groups;
    const QList<JobRightsData::App> apps = JobRightsData::apps(m_context.db(), jobId);
    for (const JobRightsData::App& app : apps) {
        groups.append(QJsonObject{{QStringLiteral("id"), app.id},
                                  {QStringLiteral("name"), app.name},
                                  {QStringLiteral("content"), app.content}});
    }
    return groups;
}

QJsonArray AccountRoutes::departments(const QString& companyId)
{
    QJsonArray list;
    const QList<QVariantMap> rows = m_context.db().select(
        QStringLiteral("SELECT id, name, parent_id FROM departments WHERE company_id = ? ORDER BY sort, id"), {companyId});
    for (const QVariantMap& row : rows) {
        list.append(QJsonObject{{QStringLiteral("dept_id"), row.value(QStringLiteral("id")).toLongLong()},
                                {QStringLiteral("dept_name"), row.value(QStringLiteral("name")).toString()},
                                {QStringLiteral("parent_id"), row.value(QStringLiteral("parent_id")).toLongLong()}});
    }
    return list;
}

QJsonObject AccountRoutes::baseLists(const QString& cityId, const QString& companyId)
{
    ServiceDatabase& db = m_context.db();
    QJsonArray areas;
    const QList<QVariantMap> districts =
        db.select(QStringLiteral("SELECT id, name FROM districts WHERE city_id = ? ORDER BY sort, id"), {cityId});
    for (const QVariantMap& district : districts) {
        QJsonArray quarters;
        const QList<QVariantMap> rows =
            db.select(QStringLiteral("SELECT id, name FROM quarters WHERE district_id = ? ORDER BY sort, id"),
                      {district.value(QStringLiteral("id"))});
        for (const QVariantMap& quarter : rows) {
            quarters.append(QJsonObject{{QStringLiteral("id"), quarter.value(QStringLiteral("id")).toLongLong()},
                                        {QStringLiteral("name"), quarter.value(QStringLiteral("name")).toString()}});
        }
        areas.append(QJsonObject{{QStringLiteral("id"), district.value(QStringLiteral("id")).toLongLong()},
                                 {QStringLiteral("name"), district.value(QStringLiteral("name")).toString()},
                                 {QStringLiteral("area"), quarters}});
    }
    QJsonArray jobs;
    const QList<QVariantMap> jobRows =
        db.select(QStringLiteral("SELECT id, name FROM jobs WHERE company_id = ? ORDER BY sort, id"), {companyId});
    for (const QVariantMap& job : jobRows) {
        jobs.append(QJsonObject{{QStringLiteral("id"), job.value(QStringLiteral("id")).toLongLong()},
                                {QStringLiteral("name"), job.value(QStringLiteral("name")).toString()}});
    }
    return QJsonObject{{QStringLiteral("area"), areas}, {QStringLiteral("job"), jobs}};
}
