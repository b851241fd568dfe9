#ifndef JOBRIGHTSDATA_H
#define JOBRIGHTSDATA_H

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// A job role's rights over the suite's apps: one row per role and app in job_auth, whose content
// is the app's list of right entries ({"id", "selected", "range", "bumens" (an array of
// departments), further keys}). The one store of rights: the login hands it out as "userauth",
// the service's own checks read it, and the settings' role editor reads and saves it.
class JobRightsData
{
public:
    struct App
    {
        qint64 id = 0;
        QString name;
        QJsonArray content;
    };

    // The micro-website module's app.
    static constexpr int kMicroWebsiteApp = 12;
    // The app's name, or an empty string for an app this service knows no rights of.
    static QString appName(qint64 appId);
    // The rights an app has, by function id, in the order they are kept.
    static QList<int> rightIds(qint64 appId);

    // The company's job role ({"id", "name"}), or an empty map when the company has no such role.
    static QVariantMap job(ServiceDatabase& db, const QString& companyId, qint64 jobId);
    // The role's rights, app by app in app order; stored content that is no array reads as
    // empty. A failure is kept in db.lastError().
    static QList<App> apps(ServiceDatabase& db, qint64 jobId);
    // Replaces the rights of these apps of the role, all or none; other apps stay as they are.
    static bool saveApps(ServiceDatabase& db, qint64 jobId, const QList<App>& apps);

private:
    JobRightsData() = delete;
};

#endif // JOBRIGHTSDATA_H
