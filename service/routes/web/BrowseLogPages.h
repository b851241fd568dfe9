#ifndef BROWSELOGPAGES_H
#define BROWSELOGPAGES_H

#include "http/ServiceReply.h"

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The site host's page of the visits recorded on the company's site, which the desktop shows in
// its browsing-track tab and which works in any browser too:
//   "browselogs.html"  companyid, optional cityid, type (1 to 4 for one type, else all), page
//                      (twenty visits a page, newest first; a page past the last shows the last)
// It needs a login (the session headers, the cookie the desktop's browser carries, or sessionID
// and _sn) and shows that login's company only: a companyid or cityid of another is refused.
// Clicking a visit posts {"type": n, "itemId": "id"} to the desktop ("browse_logs.js").
class BrowseLogPages
{
public:
    static constexpr int kPageSize = 20;

    explicit BrowseLogPages(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply servePage(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // BROWSELOGPAGES_H
