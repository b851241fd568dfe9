#ifndef ACCOUNTROUTES_H
#define ACCOUNTROUTES_H

#include "http/ServiceReply.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QVariantMap>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// Logging in: "account/initialize" checks the phone and password and answers the login data,
// the user's rights, the company's departments and base lists, and a new session.
class AccountRoutes
{
public:
    explicit AccountRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply initialize(const ServiceRequest& request);
    QJsonObject loginData(const QVariantMap& user);
    QJsonArray userAuth(qint64 jobId);
    QJsonArray departments(const QString& companyId);
    QJsonObject baseLists(const QString& cityId, const QString& companyId);

    ServiceContext& m_context;
    // Checked against when the phone is unknown, so the answer takes as long as for a known one.
    QString m_decoyHash;
};

#endif // ACCOUNTROUTES_H
