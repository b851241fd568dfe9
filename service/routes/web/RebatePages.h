#ifndef REBATEPAGES_H
#define REBATEPAGES_H

#include "http/ServiceReply.h"

#include <QString>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The site host's pages of the agency's rebate business, which the desktop shows in its rebate
// tab and which work in any browser too; they only read:
//   "trad.html"                      companyid, cityid, cityname, sessionID, _sn   the deals
//   "commission_rate.html"           companyid, cityid, cityname                   the rates, with
//                                                                                  an estimate
//   "rebate_user.html"               companyid, cityid                             registered users
//   "rebates_clientwantzg.html"      companyid, cityid                             referred clients
//   "rebates_clinethousetable.html"  companyid, cityid                             referred houses
// A page needs a login (the session headers, the cookie the desktop's browser carries, or
// sessionID and _sn) and shows that login's company only: a companyid or cityid of another is
// refused. cityname only names the city in the line under the heading.
class RebatePages
{
public:
    enum class Page { Deals, Rates, Users, Clients, Houses };

    explicit RebatePages(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

    // The page's file name, e.g. "trad.html".
    static QString fileName(Page page);

private:
    ServiceReply servePage(const ServiceRequest& request, Page page);
    QString dealsBody(const QString& companyId);
    QString ratesBody(const QString& companyId);
    QString usersBody(const QString& companyId);
    QString clientsBody(const QString& companyId);
    QString housesBody(const QString& companyId);

    ServiceContext& m_context;
};

#endif // REBATEPAGES_H
