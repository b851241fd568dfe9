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
// A parameter that is not clean UTF-8 text (a NUL, say) refuses any request (405). A request
// during which the database was out of reach is answered 503 (Envelope::unavailable()).
// Handlers run in parallel, from several threads at once; each thread has its own database
// connection, and what must not interleave is done in one transaction or one statement.
class ServiceRouter
{
public:
    using Handler = std::function<ServiceReply(const ServiceRequest&)>;
    enum class Access { Public, Session };

    explicit ServiceRouter(SessionStore& sessions);

    // An exact path without its leading "/", such as "api/mtore/appposts".
    void add(const QString& path, Access access, Handler handler);
    // Every path under prefix (ending with "/") that has no exact route; the longest prefix wins.
    void addPrefix(const QString& prefix, Access access, Handler handler);

    // Runs around the handler of every session route, e.g. to note what a call changed; the
    // handler is called through it. One at most; set before requests arrive.
    using Around = std::function<ServiceReply(const ServiceRequest&, const Handler&)>;
    void setAroundSessionRoutes(Around around);

    // Unknown paths answer 404: under "api/" with the envelope, elsewhere with a page.
    ServiceReply dispatch(ServiceRequest& request) const;

private:
    struct Route
    {
        Access access = Access::Public;
        Handler handler;
    };

    ServiceReply run(const Route& route, ServiceRequest& request) const;
    // The session check and fences; an empty reply when the request may go on.
    ServiceReply admit(const Route& route, ServiceRequest& request) const;

    SessionStore& m_sessions;
    QMap<QString, Route> m_routes;
    QList<QPair<QString, Route>> m_prefixes;
    Around m_around;
};

#endif // SERVICEROUTER_H
