#ifndef TOPICROUTES_H
#define TOPICROUTES_H

#include "http/ServiceReply.h"
#include "storage/content/TopicData.h"

#include <QJsonObject>

class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The topic pages, on the site host ("site/..."):
//   "softsubjectlist"  companyid, cityid, page, pagesize (ten a page unless asked), optional key
//                      (in the title or subtitle) -> [{"id", "title", "title_one", "img", "houseid",
//                      "hits", "time", "sort"}], smaller sort values first, then newest first
//   "subjects"         companyid, cityid, id, sort (a decimal integer): the topic's new sort value
//   "subjectsdel"      companyid, cityid, id
//   "subject_add"      companyid, cityid, title, title_one, img (an http or https address), houseid
//                      (JSON text of [{"id", "title"}], at least one house, stored as sent)
//   "subject_edit"     id and the same texts; hits, time and sort stay
// Every call needs right 148, the one that opens the site's articles (a manager passes). A
// "companyid" or "cityid" other than the session's is refused before any of this; the ones
// listed with them above are required. Another company's topic is unknown here.
class TopicRoutes
{
public:
    explicit TopicRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply list(const ServiceRequest& request);
    ServiceReply setSort(const ServiceRequest& request);
    ServiceReply remove(const ServiceRequest& request);
    ServiceReply add(const ServiceRequest& request);
    ServiceReply edit(const ServiceRequest& request);

    // Refuses the call without the right, or (with `owner`) without "companyid" and "cityid";
    // an empty reply lets it go on.
    ServiceReply refuse(const ServiceRequest& request, ParamReader& in, bool owner) const;
    static TopicData::Topic readTopic(ParamReader& in);
    static void checkHouses(ParamReader& in, const QString& houses);
    // Refuses houses that are not the company's or no longer exist; an empty reply lets it go on.
    ServiceReply refuseHouses(const ServiceRequest& request, const QString& houses);
    static QJsonObject topicJson(const TopicData::Topic& topic);

    ServiceContext& m_context;
};

#endif // TOPICROUTES_H
