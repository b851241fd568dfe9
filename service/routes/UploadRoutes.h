#ifndef UPLOADROUTES_H
#define UPLOADROUTES_H

#include "http/ServiceReply.h"

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// Picture upload ("app/upphoto") and the hosting of uploaded files under "files/".
class UploadRoutes
{
public:
    explicit UploadRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply upload(const ServiceRequest& request);
    ServiceReply serveFile(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // UPLOADROUTES_H
