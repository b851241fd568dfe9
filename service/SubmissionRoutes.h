#ifndef SUBMISSIONROUTES_H
#define SUBMISSIONROUTES_H

#include "ServiceReply.h"

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// What visitors left on the company's site, a page at a time: houses owners want to sell or let
// ("mtore/mzposts") and the demands of people who want to buy or rent ("mtore/gzposts").
class SubmissionRoutes
{
public:
    explicit SubmissionRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply ownerPosts(const ServiceRequest& request);
    ServiceReply demandPosts(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // SUBMISSIONROUTES_H
