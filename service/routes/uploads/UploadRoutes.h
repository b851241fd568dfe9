#ifndef UPLOADROUTES_H
#define UPLOADROUTES_H

#include "http/ServiceReply.h"

#include <QString>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// Picture upload ("app/upphoto", checked and re-encoded without the database lock) and the
// hosting of uploaded files under "files/", with one byte range at most.
class UploadRoutes
{
public:
    explicit UploadRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    enum class RangeKind { Whole, One, Unsatisfiable };

    // The Range header's one range within a file of size bytes, in *first and *last.
    static RangeKind parseRange(const QString& header, qint64 size, qint64* first, qint64* last);
    ServiceReply upload(const ServiceRequest& request);
    ServiceReply serveFile(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // UPLOADROUTES_H
