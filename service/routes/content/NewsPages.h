#ifndef NEWSPAGES_H
#define NEWSPAGES_H

#include "http/ServiceReply.h"
#include "storage/content/NewsData.h"

#include <QMap>
#include <QString>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;
struct SessionInfo;

// The site host's web pages for the news and the encyclopedia, which the desktop shows in its
// browser and which work in any browser too:
//   "zixun_add.html"        companyid, company, city     a new article
//   "zixun_edit.html"       companyid, id, city          the article id
//   "zixun_menu_list.html"  companyid, company, cityid   the categories
//   "zixun_img.html"        companyid, cityid            the pictures over the news pages
// and their "baike_" twins, with the scripts they load ("desktop_bridge.js", "news_pages.js").
// A page needs a login (SitePage: the desktop browser's cookie, the session headers or the query's
// sessionID and _sn), the session's own company and city, and right 148; without them it says why
// instead of the form.
// The pages save through NewsRoutes' calls and tell the desktop "success" after every save.
// The pages' texts are compiled in (service/pages/news/).
class NewsPages
{
public:
    enum class Page { Add, Edit, Category, Picture };

    explicit NewsPages(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

    // The page's file name for the kind, e.g. "zixun_menu_list.html".
    static QString fileName(NewsData::Kind kind, Page page);

private:
    ServiceReply servePage(const ServiceRequest& request, NewsData::Kind kind, Page page);
    // An empty reply when the session may open the page, else the page that says why.
    ServiceReply admit(const ServiceRequest& request, const SessionInfo& session) const;
    QString articleBody(const QString& companyId, NewsData::Kind kind, const NewsData::Article& article);
    QString categoryBody(const QString& companyId, NewsData::Kind kind);
    QString pictureBody(const QString& companyId, NewsData::Kind kind);

    // A compiled-in text with each "{{name}}" replaced by values[name] (taken as HTML).
    static QString render(const QString& name, const QMap<QString, QString>& values);
    static QString noun(NewsData::Kind kind);

    ServiceContext& m_context;
};

#endif // NEWSPAGES_H
