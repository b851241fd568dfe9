#ifndef MAINPAGEROUTES_H
#define MAINPAGEROUTES_H

#include "http/ServiceReply.h"

#include <QJsonArray>
#include <QString>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The main page's function tiles: "mtore/appposts".
class MainPageRoutes
{
public:
    explicit MainPageRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

    // A company's tiles in their order, as the service lists them; shared with the site pages.
    static QJsonArray tiles(ServiceContext& context, const QString& companyId);

private:
    ServiceReply appPosts(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // MAINPAGEROUTES_H
