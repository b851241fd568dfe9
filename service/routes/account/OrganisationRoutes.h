#ifndef ORGANISATIONROUTES_H
#define ORGANISATIONROUTES_H

#include "http/ServiceReply.h"

#include <QString>

class OrganisationData;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The office host's organisation data for the person and department choosers. "omp/" serves the
// caller's company, "lmai/" the joint sale the company takes part in (refused when it takes part
// in none); a department of anyone else is refused as unknown.
//   "omp/lwpV2", "lmai/lwpV2"   deptId (empty or 0: the top), key (search), mdept (1: departments
//                               only), appid: {"title", "dept": [...], "user": [...]}. Without key:
//                               the department's direct sub-departments and its own staff; with key:
//                               every department whose name and every person whose name or phone
//                               contains it, anywhere below deptId.
//   "omp/dept/lwpSub", "lmai/dept/lwpSub"   deptids (comma-separated), mdept, appid: every
//                               department below the given ones ("dept"), and the staff of the given
//                               ones and of those below ("user", unless mdept is 1).
// A department is {"id", "name", "parentid", "subcount", "path"}, a person {"id", "name", "phone",
// "storeid", "storename", "path"}; "path" names the departments above (for a person: down to their
// own), joined with " / ".
class OrganisationRoutes
{
public:
    // The most departments lwpSub accepts in one call, and the most rows a search answers.
    static constexpr int MaxDeptIds = 500;
    static constexpr int MaxFound = 200;

    explicit OrganisationRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply list(const ServiceRequest& request, bool jointSale);
    ServiceReply subDepartments(const ServiceRequest& request, bool jointSale);
    // The organisation the caller sees and its title; false with *refusal set when the caller may
    // see none or it cannot be read.
    bool organisation(const ServiceRequest& request, bool jointSale, OrganisationData* data, QString* title,
                      ServiceReply* refusal);

    ServiceContext& m_context;
};

#endif // ORGANISATIONROUTES_H
