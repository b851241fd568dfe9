#ifndef SERVICEROUTER_H
#define SERVICEROUTER_H

#include "http/ServiceReply.h"
#include "http/ServiceRequest.h"

#include <QList>
#include <QMap>
#include <QString>

#include <functional>

class SessionStore;

// Maps request paths to handlers. Routes that need a login get the caller's session filled in,
// and are refused before their handler runs when the session is missing or invalid (400) or
// when a "companyid" or "cityid" parameter names another company or city than the session's (405).
// A parameter that is not clean UTF-8 text (a NUL, say) refuses any request (405).
// Handlers share one database connection, so they run one at a time under the database's lock,
// except routes added with Locking::Own: they take the lock themselves around their database
// work and do their slow work (password hashing, picture decoding) without it.
class ServiceRouter
{
public:
    using Handler = std::function<ServiceReply(const ServiceRequest&)>;
    enum class Access { Public, Session };
    enum class Locking { Serial, Own };

    explicit ServiceRouter(SessionStore& sessions);

    // An exact path without its leading "/", such as "api/mtore/appposts".
    void add(const QString& path, Access access, Handler handler, Locking locking = Locking::Serial);
    // Every path under prefix (ending with "/") that has no exact route; the longest prefix wins.
    void addPrefix(const QString& prefix, Access access, Handler handler);

    // Unknown paths answer 404: under "api/" with the envelope, elsewhere with a page.
    ServiceReply dispatch(ServiceRequest& request) const;

private:
    struct Route
    {
        Access access = Access::Public;
        Handler handler;
        Locking locking = Locking::Serial;
    };

    ServiceReply run(const Route& route, ServiceRequest& request) const;
    // The session check and fences; an empty reply when the request may go on.
    ServiceReply admit(const Route& route, ServiceRequest& request) const;

    SessionStore& m_sessions;
    QMap<QString, Route> m_routes;
    QList<QPair<QString, Route>> m_prefixes;
};

#endif // SERVICEROUTER_H
