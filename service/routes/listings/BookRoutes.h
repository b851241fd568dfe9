#ifndef BOOKROUTES_H
#define BOOKROUTES_H

#include "http/ServiceReply.h"

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// What the suite's sibling components need of the service: the agency's house book and customer
// book, into which submissions and demands from the site are copied, and the address from which
// a missing component would be fetched.
//
//   "api/hbook/add"    kind (0 sale, 1 rent), name, buildingNo, unitNo, roomNo, district, area,
//                      address, floors, allfloors, hutype, price, unitprice, builtuparea,
//                      renovation, housetype, remark, toward, payway, rentway, contacts (JSON
//                      array), source, photo, source_type, source_id, is_show_community
//                      -> {"id"}; a submission (source_id) is kept once per kind.
//   "api/hbook/posts"  kind (optional), pagesize, pageindex -> {"total", "data": [house]}
//   "api/cbook/add"    kind (1 buy, 2 rent), name, phone, sex (男/女), needarea, mianji, tmianji,
//                      price, tprice, floor, tfloor, remark -> {"id"}; one entry per phone and kind.
//   "api/cbook/posts"  kind (optional), pagesize, pageindex -> {"total", "data": [customer]}
//   "api/upgrade/Brenvik_UpdateTools"  filename -> always refused: no component is offered here.
//
// Newest entries come first; a session sees only its company's entries.
class BookRoutes
{
public:
    explicit BookRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply addHouse(const ServiceRequest& request);
    ServiceReply addCustomer(const ServiceRequest& request);
    ServiceReply listHouses(const ServiceRequest& request);
    ServiceReply listCustomers(const ServiceRequest& request);
    ServiceReply componentDownload(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // BOOKROUTES_H
