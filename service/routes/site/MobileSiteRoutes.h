#ifndef MOBILESITEROUTES_H
#define MOBILESITEROUTES_H

#include "http/ServiceReply.h"
#include "routes/site/PageCache.h"

#include <QJsonObject>
#include <QString>

class MobilePage;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// A company's public mobile site, rendered from its data under "site/m/<companyid>/": the home
// page and the pages it links to (see MobileHomePage, MobileListingPages, MobileContentPages),
// with one style sheet at "site/m/site.css". Public: no session. A company that does not exist
// or has no site service answers 404, as does a record that is not shown.
//
// Pages are cached by address with the company's data stamp (SiteChanges), which every session
// call that writes renews. The ETag is that stamp and a token of this process, so a browser
// revalidates cheaply, and a page kept from another database or an older service is not reused.
// The home page's query may carry a preview of unsaved top icons (TopIconPreview); such a page
// is never cached or stored.
class MobileSiteRoutes
{
public:
    explicit MobileSiteRoutes(ServiceContext& context);
    // Adds the routes, and watches the session routes so the stamp is renewed after a write.
    void registerRoutes(ServiceRouter& router);

    // "site/m/<companyid>/" below the service's address.
    static QString homePath(const QString& companyId);

private:
    ServiceReply serve(const ServiceRequest& request);
    ServiceReply render(const ServiceRequest& request, const MobilePage& page, const QString& sitePath,
                        const QJsonObject& settings, bool* preview);

    ServiceContext& m_context;
    PageCache m_cache;
    const QString m_processToken;
};

#endif // MOBILESITEROUTES_H
