#ifndef MOBILECONTENTPAGES_H
#define MOBILECONTENTPAGES_H

#include "http/ServiceReply.h"
#include "storage/content/NewsData.h"

class MobilePage;
class ServiceDatabase;
class ServiceParams;

// The content of a company's mobile site: news and encyclopedia articles, topics with their
// houses, the company profile with its photos, the job postings with their tags, and the apps
// of the home page's grid that have a page of their own (a custom app in its mode).
class MobileContentPages
{
public:
    static constexpr qint64 kPageSize = 10;

    // The query may give "page".
    static ServiceReply articles(ServiceDatabase& db, const MobilePage& page, NewsData::Kind kind,
                                 const ServiceParams& params);
    static ServiceReply article(ServiceDatabase& db, const MobilePage& page, NewsData::Kind kind, qint64 id);
    static ServiceReply topics(ServiceDatabase& db, const MobilePage& page, const ServiceParams& params);
    // The topic's houses that are shown, in the topic's order.
    static ServiceReply topic(ServiceDatabase& db, const MobilePage& page, qint64 id);
    static ServiceReply profile(ServiceDatabase& db, const MobilePage& page);
    static ServiceReply jobs(ServiceDatabase& db, const MobilePage& page);
    static ServiceReply job(ServiceDatabase& db, const MobilePage& page, qint64 id);
    // A switched-on app: a custom app's pictures, text or house search; a system app without a
    // page of its own (the owners' and visitors' forms, rebates) says how to reach the agency.
    static ServiceReply app(ServiceDatabase& db, const MobilePage& page, qint64 itemId);

    // The path below the site of a kind's pages: "news" or "baike".
    static QString kindPath(NewsData::Kind kind);

private:
    MobileContentPages() = delete;
};

#endif // MOBILECONTENTPAGES_H
