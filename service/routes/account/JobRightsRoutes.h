#ifndef JOBRIGHTSROUTES_H
#define JOBRIGHTSROUTES_H

#include "http/ServiceReply.h"
#include "storage/settings/JobRightsData.h"

#include <QJsonArray>
#include <QList>

class OrganisationData;
class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The rights of the company's job roles, as the settings' role editor reads and saves them:
//   "workcenter/jobauthInfo"  id (a job role of the company) -> [{"id" (the app), "name",
//                             "content": [{"id", "selected", "range", "bumens" (JSON array text of
//                             the chosen departments), further keys}]}], app by app
//   "workcenter/jobedit"      id, content (JSON array text of such apps) -> the role's rights as
//                             "workcenter/jobauthInfo" answers them after the save
// A save replaces the content of each app it names, all or nothing; apps it leaves out stay as
// they were. Each right is one the app has, at most once, with "selected" true or false, a
// "range" 0 to 6 and "bumens" naming departments of the company (as JSON text or an array).
// These are the rights the login hands out and the service's own checks read, so a save holds
// from the next request on. Everyone of the company reads; only a manager saves. Another
// company's role is unknown here.
class JobRightsRoutes
{
public:
    explicit JobRightsRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply rights(const ServiceRequest& request);
    ServiceReply saveRights(const ServiceRequest& request);

    // Reads "id" and finds the company's role; a reply with a body refuses the call.
    ServiceReply findJob(const ServiceRequest& request, qint64* jobId) const;
    // The role's rights as the editor reads them.
    ServiceReply answer(qint64 jobId, const QString& message) const;
    static QList<JobRightsData::App> readApps(ParamReader& in, const QString& text, const OrganisationData& org);
    static QJsonArray readRights(ParamReader& in, qint64 appId, const QJsonArray& entries,
                                 const OrganisationData& org);
    static QJsonArray readDepartments(ParamReader& in, const QJsonValue& value, const OrganisationData& org);

    ServiceContext& m_context;
};

#endif // JOBRIGHTSROUTES_H
