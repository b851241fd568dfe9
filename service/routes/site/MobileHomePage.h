#ifndef MOBILEHOMEPAGE_H
#define MOBILEHOMEPAGE_H

#include "http/ServiceReply.h"

#include <QJsonArray>
#include <QString>
#include <QVariantMap>

class MobilePage;
class ServiceDatabase;

// The home page of a company's mobile site: the carousel, the three top icons, the search box in
// its style, the app grid with its icons per row, the topics, "猜你喜欢" in the chosen order.
class MobileHomePage
{
public:
    // settings: the site's settings as SiteSettings reads them; topIcons: the saved icons or
    // those of a preview.
    static ServiceReply render(ServiceDatabase& db, const MobilePage& page, const QJsonObject& settings,
                               const QJsonArray& topIcons);

    // Where an app of the grid leads, below the company's site.
    static QString appPath(const QVariantMap& app);
    // Where a top icon's house search leads.
    static QString searchPath(const QString& houseType, const QString& district);

private:
    MobileHomePage() = delete;
};

#endif // MOBILEHOMEPAGE_H
