#ifndef ADSROUTES_H
#define ADSROUTES_H

#include "http/ServiceReply.h"
#include "routes/common/SortableList.h"
#include "storage/content/AdsData.h"

#include <QJsonObject>

class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The carousel adverts of the site's home page and the new-house list their link picker reads:
//   "mtore/lunboposts"   -> [{"id", "title", "photo", "type", "itemid"}] in display order
//   "mtore/lunboadd"     title, photo (an http or https address), type (0 no link, 1 new house,
//                        2 sale, 3 rent, 4 job, 5 company profile), itemid (0 for the list page;
//                        else the company's item of that kind; types 0 and 5 take none); the
//                        advert goes last; at most 50 adverts a company          right 69
//   "mtore/lunbomodify"  the same and id; the advert keeps its place             right 69
//   "mtore/lunbodelete"  id                                                      right 69
//   "mtore/lunbopaixu"   id, type (0 to the top, 1 one place up, 2 one place down) right 69
//   "nhouse/posts"       pageindex, pagesize (twenty a page unless asked), optional name, wstore
//                        -> {"total", "data": [{"id", "name", "thumbnail", ...}]} in the site's order
// Everyone of the company may read; a manager passes every right. Another company's advert is
// unknown here. Texts are stored as they were typed.
class AdsRoutes
{
public:
    explicit AdsRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply posts(const ServiceRequest& request);
    // "lunboadd", or with `existing` "lunbomodify".
    ServiceReply save(const ServiceRequest& request, bool existing);
    ServiceReply remove(const ServiceRequest& request);
    ServiceReply newHousePosts(const ServiceRequest& request);

    // The advert of a form; a problem is kept in `in`.
    static AdsData::Advert readAdvert(ParamReader& in);
    // The refusal of an advert that links to an item the company does not have; an empty reply
    // when the link may be stored.
    ServiceReply refuseLink(const ServiceRequest& request, const AdsData::Advert& advert);
    static QJsonObject advertJson(const AdsData::Advert& advert);

    ServiceContext& m_context;
    SortableList m_adverts;
    SortableList m_newHouses;
};

#endif // ADSROUTES_H
