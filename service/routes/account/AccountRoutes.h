#ifndef ACCOUNTROUTES_H
#define ACCOUNTROUTES_H

#include "http/ServiceReply.h"
#include "sessions/LoginThrottle.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QVariantMap>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// Logging in: "account/initialize" checks the phone and password and answers the login data,
// the user's rights, the company's departments and base lists, and a new session;
// "account/logout" ends the caller's session. The password is checked without the database
// lock, and wrong passwords slow further tries of the same phone down.
class AccountRoutes
{
public:
    explicit AccountRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply initialize(const ServiceRequest& request);
    // A new session for the user and the login data.
    ServiceReply loggedIn(const QVariantMap& user);
    // A refused login, answered only after the throttle's pause.
    static ServiceReply refusedLogin(const QString& message);
    ServiceReply logout(const ServiceRequest& request);
    QJsonObject loginData(const QVariantMap& user);
    QJsonArray userAuth(qint64 jobId);
    QJsonArray departments(const QString& companyId);
    QJsonObject baseLists(const QString& cityId, const QString& companyId);

    ServiceContext& m_context;
    // Checked against when the phone is unknown, so the answer takes as long as for a known one.
    QString m_decoyHash;
    LoginThrottle m_throttle;
};

#endif // ACCOUNTROUTES_H
