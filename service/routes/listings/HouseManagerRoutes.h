#ifndef HOUSEMANAGERROUTES_H
#define HOUSEMANAGERROUTES_H

#include "http/ServiceReply.h"

#include <QJsonObject>
#include <QVariantMap>

class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The agency's houses on its site (the listing manager) and the house-book detail behind them:
//   "mtore/mshouseposts"       type (0 sale, 1 rent), pageindex, pagesize, optional putup (1/0), key
//                              (estate or title), bianhao (site id), donghao, danyuan, fanghao
//                              (building, unit, room in the house book) -> {"total", "data"}
//   "mtore/mshouseclickstore"  id: put up <-> taken down                         right 65
//   "mtore/deletemshouse"      id                                                 right 66
//   "mtore/mshouseshenhe"      id: approves a house waiting for review, which goes up   right 93
//   "mtore/settuijian" type 0  id, state (1 recommend, 0 cancel); registered by the new-house
//                              routes, which hand type 0 to recommendHouse()    right 98
//   "app/SyncHousebookDetail"  id: one house of the house book, for the host's house detail
// Each right is checked with its scope against the house's store and publisher (the manager
// passes); a refusal is 405 with the page's own message. Newest houses come first.
class HouseManagerRoutes
{
public:
    explicit HouseManagerRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

    // "mtore/settuijian" with type 0; `in` has read the type already.
    static ServiceReply recommendHouse(ServiceContext& context, const ServiceRequest& request, ParamReader& in);

private:
    ServiceReply posts(const ServiceRequest& request);
    ServiceReply clickStore(const ServiceRequest& request);
    ServiceReply remove(const ServiceRequest& request);
    ServiceReply approve(const ServiceRequest& request);
    ServiceReply bookDetail(const ServiceRequest& request);

    static QJsonObject houseJson(const QVariantMap& row);

    ServiceContext& m_context;
};

#endif // HOUSEMANAGERROUTES_H
