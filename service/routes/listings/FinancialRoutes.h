#ifndef FINANCIALROUTES_H
#define FINANCIALROUTES_H

#include "http/ServiceReply.h"
#include "routes/common/SortableList.h"

#include <QJsonObject>
#include <QVariantMap>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The loan products on the site and the visitors' loan applications:
//   "apptwo/figetconfig"    the filter choices: "dyleixing" and "changhuanway" arrays
//   "apptwo/fimsposts"      pageindex, pagesize, optional dyleixing, changhuanway, key, priceone,
//                           pricetwo (maximum amount, 万), wstore
//   "apptwo/fipaixu"        id, type (0 to the top, 1 up, 2 down)      right 83 (0 also 80)
//   "apptwo/ficlickstore"   id: put up <-> taken down                   right 82
//   "apptwo/ficlientposts"  pageindex: ten applications a page, newest first, with "total" and "pagesize"
//   "apptwo/fidetail"       id: one product with its conditions and materials, for the financial component
// Right 81 (delete) guards an entry of the desktop's card that sends nothing.
class FinancialRoutes
{
public:
    static constexpr int ApplicationsPageSize = 10;

    explicit FinancialRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply config(const ServiceRequest& request);
    ServiceReply posts(const ServiceRequest& request);
    ServiceReply clientPosts(const ServiceRequest& request);

    static QJsonObject productJson(const QVariantMap& row, bool withDetails);

    ServiceContext& m_context;
    SortableList m_products;
};

#endif // FINANCIALROUTES_H
