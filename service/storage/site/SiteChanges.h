#ifndef SITECHANGES_H
#define SITECHANGES_H

#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// When a company's data last changed, as a stamp kept in the database (so every instance sharing
// it sees the same one): pages of the company's public site rendered since the stamp are current.
class SiteChanges
{
public:
    // Notes that the company's data changed: a new stamp, never handed out before.
    static bool touch(ServiceDatabase& db, const QString& companyId);
    // The company joined with its city ("cityname") and its stamp ("changed", empty while nothing
    // changed since the database was made), or an empty map. A failure is kept in db.lastError().
    static QVariantMap company(ServiceDatabase& db, const QString& companyId);

private:
    SiteChanges() = delete;
};

#endif // SITECHANGES_H
