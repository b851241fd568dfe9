#ifndef ADSDATA_H
#define ADSDATA_H

#include <QList>
#include <QString>

class ServiceDatabase;

// The carousel adverts of a company's home page, in the order staff set by hand ("sort"
// ascending, then id), which the hand-ordered list of the routes keeps.
class AdsData
{
public:
    // Where an advert leads; also the positions of the editor's link choice.
    enum LinkType { NoLink = 0, NewHouse = 1, SaleHouse = 2, RentHouse = 3, Job = 4, CompanyProfile = 5 };

    struct Advert
    {
        qint64 id = 0;
        QString title;
        QString photo;
        int type = NoLink;
        // The linked item, or 0 for the list page of its kind.
        qint64 itemid = 0;
    };

    enum class Change { Done, NotFound, Failed };

    static bool createSchema(ServiceDatabase& db);

    // The company's adverts in display order. A failure is kept in db.lastError().
    static QList<Advert> adverts(ServiceDatabase& db, const QString& companyId);
    // How many adverts the company has, or -1 on failure.
    static qint64 count(ServiceDatabase& db, const QString& companyId);
    // Adds the advert after the company's last one; the new id, or 0 on failure.
    static qint64 add(ServiceDatabase& db, const QString& companyId, const Advert& advert);
    // Rewrites the company's advert advert.id; its place stays.
    static Change update(ServiceDatabase& db, const QString& companyId, const Advert& advert);
    static Change remove(ServiceDatabase& db, const QString& companyId, qint64 id);
    // Whether the company has the item that an advert of this type may link to: a new-house
    // project, a house for sale or for rent on its site, or a job posting.
    static bool hasLinkTarget(ServiceDatabase& db, const QString& companyId, int type, qint64 itemid);
    // The item is going away: the company's adverts that link to it open the list page of its
    // kind instead. False on failure.
    static bool unlink(ServiceDatabase& db, const QString& companyId, int type, qint64 itemid);

private:
    AdsData() = delete;
};

#endif // ADSDATA_H
