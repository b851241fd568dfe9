#ifndef HOSTPAGES_H
#define HOSTPAGES_H

#include "http/ServiceReply.h"

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The web pages of the hosts the service plays: an index for each of "site/", "office/",
// "help/" and "secure/", and each company's mobile site under "site/<companyid>/".
class HostPages
{
public:
    explicit HostPages(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply rootIndex() const;
    ServiceReply sitePages(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // HOSTPAGES_H
