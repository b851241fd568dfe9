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
    // An upload is written as "<name>.pending" and takes its name only once its row is stored,
    // so a process killed in between leaves a file that is known to be unfinished. Such files
    // older than kUnfinishedAgeSeconds (others may belong to an instance uploading right now)
    // are removed, or named when their row was stored after all. The number removed.
    int sweepUnfinished();

    static constexpr qint64 kUnfinishedAgeSeconds = 10 * 60;

private:
    enum class RangeKind { Whole, One, Unsatisfiable };

    // The Range header's one range within a file of size bytes, in *first and *last.
    static RangeKind parseRange(const QString& header, qint64 size, qint64* first, qint64* last);
    ServiceReply upload(const ServiceRequest& request);
    ServiceReply serveFile(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // UPLOADROUTES_H
