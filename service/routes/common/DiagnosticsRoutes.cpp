#include "routes/common/DiagnosticsRoutes.h"

#include "http/Envelope.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"

#include <QJsonArray>
#include <QJsonObject>

void DiagnosticsRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("api/diagnostics/echo"), ServiceRouter::Access::Public, &DiagnosticsRoutes::echo);
}

ServiceReply DiagnosticsRoutes::echo(const ServiceRequest& request)
{
    QJsonObject headers;
    for (auto it = request.headers.cbegin(); it != request.headers.cend(); ++it)
        headers.insert(it.key(), it.value());
    QJsonArray parts;
    for (const UploadedPart& part : request.parts) {
        parts.append(QJsonObject{{QStringLiteral("name"), part.name},
                                 {QStringLiteral("filename"), part.filename},
                                 {QStringLiteral("size"), part.data.size()}});
    }
    return Envelope::success(QJsonObject{{QStringLiteral("method"), request.method},
                                         {QStringLiteral("path"), request.path},
                                         {QStringLiteral("params"), request.params.toJson()},
                                         {QStringLiteral("headers"), headers},
                                         {QStringLiteral("parts"), parts}});
}
