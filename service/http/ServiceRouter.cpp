#include "http/ServiceRouter.h"

#include "http/Envelope.h"
#include "sessions/SessionStore.h"
#include "storage/core/ServiceDatabase.h"

#include <algorithm>

ServiceRouter::ServiceRouter(SessionStore& sessions)
    : m_sessions(sessions)
{
}

void ServiceRouter::add(const QString& path, Access access, Handler handler)
{
    m_routes.insert(path, Route{access, std::move(handler)});
}

void ServiceRouter::addPrefix(const QString& prefix, Access access, Handler handler)
{
    m_prefixes.append(qMakePair(prefix, Route{access, std::move(handler)}));
    std::stable_sort(m_prefixes.begin(), m_prefixes.end(),
                     [](const QPair<QString, Route>& a, const QPair<QString, Route>& b) {
                         return a.first.size() > b.first.size();
                     });
}

ServiceReply ServiceRouter::dispatch(ServiceRequest& request) const
{
    if (request.params.hasInvalidText())
        return Envelope::refused(QStringLiteral("参数含有无效字符"));
    const auto exact = m_routes.constFind(request.path);
    if (exact != m_routes.constEnd())
        return run(exact.value(), request);
    for (const auto& prefix : m_prefixes) {
        if (request.path.startsWith(prefix.first))
            return run(prefix.second, request);
    }
    if (request.path.startsWith(QLatin1String("api/")))
        return Envelope::unknownPath();
    return ServiceReply::notFound();
}

ServiceReply ServiceRouter::run(const Route& route, ServiceRequest& request) const
{
    // A database out of reach must not read as an unknown session, a wrong password or a missing
    // record, whichever of them the handler concluded from the failed statement.
    ServiceDatabase& db = m_sessions.database();
    db.clearUnreachable();
    ServiceReply reply = admit(route, request);
    if (reply.body.isEmpty()) {
        if (route.access == Access::Session && m_around)
            reply = m_around(request, route.handler);
        else
            reply = route.handler(request);
    }
    return db.unreachable() ? Envelope::unavailable() : reply;
}

void ServiceRouter::setAroundSessionRoutes(Around around)
{
    m_around = std::move(around);
}

ServiceReply ServiceRouter::admit(const Route& route, ServiceRequest& request) const
{
    if (route.access == Access::Session) {
        QString sessionId = request.header(QStringLiteral("sessionid"));
        QString token = request.header(QStringLiteral("token"));
        if (sessionId.isEmpty() && token.isEmpty()) {
            sessionId = request.cookie(QStringLiteral("sessionid"));
            token = request.cookie(QStringLiteral("token"));
        }
        request.session = m_sessions.find(sessionId, token);
        if (!request.session.valid)
            return Envelope::sessionLost();
        // An account only ever sees its own company's data.
        const QString companyKey = QStringLiteral("companyid");
        if (request.params.contains(companyKey) && request.params.value(companyKey) != request.session.companyId)
            return Envelope::refused(QStringLiteral("无权访问其他公司的数据"));
        const QString cityKey = QStringLiteral("cityid");
        if (request.params.contains(cityKey) && request.params.value(cityKey) != request.session.cityId)
            return Envelope::refused(QStringLiteral("无权访问其他城市的数据"));
    }
    return ServiceReply();
}
