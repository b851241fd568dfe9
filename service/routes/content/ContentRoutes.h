#ifndef CONTENTROUTES_H
#define CONTENTROUTES_H

#include "http/ServiceReply.h"
#include "storage/content/ContentData.h"

#include <QJsonObject>

class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The company profile and the job postings of the site:
//   "mtore/companyinfo"        -> {"content", "address", "tel", "photos": [addresses]}
//   "mtore/companyinfoaddmod"  content, address, tel, photos (http or https addresses joined with
//                              ","; an empty one refuses the whole save)             right 68
//   "mtore/joinusposts"        optional key (in the title); with pageindex or pagesize pages of 20
//                              unless asked, else every posting -> {"total", "data": [postings]},
//                              newest first
//   "mtore/joinusadd"          title, xinzi, xueli, jingyan, address, content, tel, tags (joined
//                              with ","; empty pieces dropped, blank ones kept)      right 67
//   "mtore/joinusmodify"       the same and id                                       right 67
//   "mtore/joinusdelete"       id                                                    right 67
// Everyone of the company may read; a manager passes every right. Another company's posting is
// unknown here.
class ContentRoutes
{
public:
    explicit ContentRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply profile(const ServiceRequest& request);
    ServiceReply saveProfile(const ServiceRequest& request);
    ServiceReply jobPosts(const ServiceRequest& request);
    ServiceReply addJob(const ServiceRequest& request);
    ServiceReply modifyJob(const ServiceRequest& request);
    ServiceReply deleteJob(const ServiceRequest& request);

    static QStringList readPhotos(ParamReader& in);
    static ContentData::Job readJob(ParamReader& in);
    static QJsonObject profileJson(const ContentData::Profile& profile);
    static QJsonObject jobJson(const ContentData::Job& job);

    ServiceContext& m_context;
};

#endif // CONTENTROUTES_H
