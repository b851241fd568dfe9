#ifndef NEWHOUSEROUTES_H
#define NEWHOUSEROUTES_H

#include "http/ServiceReply.h"
#include "routes/common/SortableList.h"

#include <QJsonObject>
#include <QVariantMap>

class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The new-house projects on the site:
//   "mtore/newhouseposts"  pageindex, pagesize, optional district, area, name, priceone, pricetwo, wstore
//   "nhouse/paixu"         id, type (0 to the top and pinned, 1 up, 2 down)   right 73 (0 also 72)
//   "nhouse/canceltop"     id                                                  right 72 or 73
//   "nhouse/clickstore"    id: put up <-> taken down                           right 70
//   "mtore/settuijian"     type, id, state: recommend to the site's front page (type 1: a project,
//                          right 97; type 0, the agency's houses, belongs to the listing manager)
//   "nhouse/detail"        id: one project with its sales details, for the new-house component
class NewHouseRoutes
{
public:
    explicit NewHouseRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply posts(const ServiceRequest& request);
    ServiceReply setTuijian(const ServiceRequest& request);
    ServiceReply recommendProject(const ServiceRequest& request, ParamReader& in);

    static QJsonObject projectJson(const QVariantMap& row, bool withDetails);

    ServiceContext& m_context;
    SortableList m_projects;
};

#endif // NEWHOUSEROUTES_H
