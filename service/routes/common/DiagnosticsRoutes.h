#ifndef DIAGNOSTICSROUTES_H
#define DIAGNOSTICSROUTES_H

#include "http/ServiceReply.h"

class ServiceRequest;
class ServiceRouter;

// "diagnostics/echo" answers what the service received (method, path, decoded parameters,
// headers and multipart parts), so clients can check their encoding end to end. Stores nothing.
class DiagnosticsRoutes
{
public:
    void registerRoutes(ServiceRouter& router);

private:
    static ServiceReply echo(const ServiceRequest& request);
};

#endif // DIAGNOSTICSROUTES_H
