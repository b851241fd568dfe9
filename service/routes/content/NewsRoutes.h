#ifndef NEWSROUTES_H
#define NEWSROUTES_H

#include "http/ServiceReply.h"
#include "routes/content/NewsPages.h"
#include "storage/content/NewsData.h"

#include <QJsonObject>

class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The news and the encyclopedia of the site, on the site host ("site/..."), with the web pages of
// NewsPages. For the news ("zixun") and the encyclopedia ("baike") alike:
//   "softzixun" / "softbaikelist"  companyid, cityid, page, pagesize (ten a page unless asked),
//                                  optional key (in the title) -> [{"id", "title", "img",
//                                  "cate_alias", "come_from", "hits", "create_time"}], newest first
//   "<kind>_list_remove"           companyid, id
// and the calls of the web pages:
//   "<kind>_save"                  optional id (to change that article), title, content, optional
//                                  cate_id (one of the kind's categories, 0 for none), come_from,
//                                  img (an http or https address) -> {"id"}
//   "<kind>_menu_save"             optional id, name, optional sort (a decimal integer) -> {"id"}
//   "<kind>_menu_remove"           id; its articles stay without a category
//   "<kind>_img_add"               img (an http or https address), optional link (the same), sort
//   "<kind>_img_remove"            id
// Every call needs right 148, the one that opens the site's articles (a manager passes). A
// "companyid" or "cityid" other than the session's is refused before any of this; the ones
// listed above are required. Another company's rows are unknown here.
class NewsRoutes
{
public:
    explicit NewsRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    using Handler = ServiceReply (NewsRoutes::*)(const ServiceRequest&, NewsData::Kind, ParamReader&);

    // Checks the right and the required owner keys, then runs the handler with the reader.
    ServiceReply run(const ServiceRequest& request, NewsData::Kind kind, const QStringList& ownerKeys,
                     Handler handler);

    ServiceReply list(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in);
    ServiceReply removeArticle(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in);
    ServiceReply saveArticle(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in);
    ServiceReply saveCategory(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in);
    ServiceReply removeCategory(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in);
    ServiceReply addPicture(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in);
    ServiceReply removePicture(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in);

    static QJsonObject rowJson(const NewsData::Article& article);

    ServiceContext& m_context;
    NewsPages m_pages;
};

#endif // NEWSROUTES_H
