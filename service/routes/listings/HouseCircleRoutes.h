#ifndef HOUSECIRCLEROUTES_H
#define HOUSECIRCLEROUTES_H

#include "http/ServiceReply.h"

#include <QJsonObject>
#include <QVariantMap>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The house circle, which the topic editor's house picker reads for a company in one:
//   "app/housegrouppostst"  type (0 sale, 1 rent), mtype (0 every house, 1 shared by the company
//                           itself, 2 shared by the other agencies), pageindex, pagesize (twenty
//                           a page unless asked), optional housename (in the estate or the title),
//                           houseid (the circle's house id), dongno, fangno (building, room)
//                           -> {"total", "data": [{"id", "title", "housename", "dongno", "danyuan",
//                           "fangno", "hutype", "mianji", "price", "company", "own", "time"}]}, newest first
//   "app/housegroupdetail"  id, type (0 sale, 1 rent): one house of the circle, for the house-circle
//                           component -> the list's keys and "type"
// Everyone of the company may read; a company outside any circle reads an empty list.
class HouseCircleRoutes
{
public:
    explicit HouseCircleRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply posts(const ServiceRequest& request);
    ServiceReply detail(const ServiceRequest& request);

    static QJsonObject circleHouseJson(const QVariantMap& row);

    ServiceContext& m_context;
};

#endif // HOUSECIRCLEROUTES_H
