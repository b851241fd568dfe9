#ifndef MOBILELISTINGPAGES_H
#define MOBILELISTINGPAGES_H

#include "http/ServiceReply.h"

#include <QJsonObject>

class MobilePage;
class ServiceDatabase;
class ServiceParams;

// The listings of a company's mobile site: houses for sale and for rent, new-house projects and
// loan products, each as a list and a page of its own. Only what is put up is shown.
class MobileListingPages
{
public:
    static constexpr qint64 kPageSize = 10;

    // kind: PublicSiteData::Sale or Rent. The query may give "page", "district" and "key".
    static ServiceReply houses(ServiceDatabase& db, const MobilePage& page, int kind, const ServiceParams& params);
    // settings: "moshi" says whether the agent's contact is shown.
    static ServiceReply house(ServiceDatabase& db, const MobilePage& page, qint64 id, const QJsonObject& settings);
    static ServiceReply projects(ServiceDatabase& db, const MobilePage& page, const ServiceParams& params);
    static ServiceReply project(ServiceDatabase& db, const MobilePage& page, qint64 id);
    static ServiceReply loans(ServiceDatabase& db, const MobilePage& page);
    static ServiceReply loan(ServiceDatabase& db, const MobilePage& page, qint64 id);

private:
    MobileListingPages() = delete;
};

#endif // MOBILELISTINGPAGES_H
