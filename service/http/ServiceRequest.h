#ifndef SERVICEREQUEST_H
#define SERVICEREQUEST_H

#include "http/ServiceParams.h"
#include "http/UploadedPart.h"
#include "sessions/SessionInfo.h"

#include <QList>
#include <QMap>
#include <QString>

// A request as the route handlers see it, independent of the HTTP library.
class ServiceRequest
{
public:
    // "GET" or "POST".
    QString method;
    // The path without its leading "/", e.g. "api/mtore/appposts".
    QString path;
    ServiceParams params;
    // The raw body when it was not multipart (form text, or JSON for the few calls that send it).
    QByteArray body;
    // Every part of a multipart body; parts without a file name also appear in params.
    QList<UploadedPart> parts;
    // Header names in lower case.
    QMap<QString, QString> headers;
    // Filled by the router for routes that need a login.
    SessionInfo session;

    QString header(const QString& name) const { return headers.value(name.toLower()); }
    // The first part with this name, or nullptr.
    const UploadedPart* part(const QString& name) const;
    // A value of the Cookie header ("a=1; b=2"), or an empty string.
    QString cookie(const QString& name) const;
};

#endif // SERVICEREQUEST_H
