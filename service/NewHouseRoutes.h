#ifndef NEWHOUSEROUTES_H
#define NEWHOUSEROUTES_H

#include "NewHouseData.h"
#include "ServiceReply.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariantMap>

class ParamReader;
class ServiceContext;
class ServiceDatabase;
class ServiceRequest;
class ServiceRouter;
struct SessionInfo;

// The new-house projects on the site:
//   "mtore/newhouseposts"  pageindex, pagesize, optional district, area, name, priceone, pricetwo, wstore
//   "nhouse/paixu"         id, type (0 to the top and pinned, 1 up, 2 down)   right 73 (0 also 72)
//   "nhouse/canceltop"     id                                                  right 72 or 73
//   "nhouse/clickstore"    id: put up <-> taken down                           right 70
//   "mtore/settuijian"     type, id, state: recommend to the site's front page (type 1: a project,
//                          right 97; type 0, the agency's houses, belongs to the listing manager)
//   "nhouse/detail"        id: one project with its sales details, for the new-house component
//
// The static helpers are the rules the loan-product routes share.
class NewHouseRoutes
{
public:
    explicit NewHouseRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

    // A manager passes; anyone else needs one of the rights granted to their job role.
    static bool hasRight(ServiceDatabase& db, const SessionInfo& session, const QList<int>& anyOf);
    static QString noRightMessage();
    // An optional non-negative amount ("12", "3.5"); refuses anything else through `in`.
    static bool optionalAmount(ParamReader& in, const QString& value, const QString& label, double* amount);
    // A LIKE pattern (with ESCAPE '\') that finds text anywhere, wildcards in it taken literally.
    static QString containsPattern(const QString& text);
    // The answer to a reorder, unpin or toggle, with its wording for the user.
    static ServiceReply moveReply(NewHouseData::Move move, const QString& missing);
    // Common reading of "pageindex" and "pagesize".
    static void readPage(ParamReader& in, int* pageIndex, int* pageSize);

private:
    ServiceReply posts(const ServiceRequest& request);
    ServiceReply sort(const ServiceRequest& request);
    ServiceReply cancelTop(const ServiceRequest& request);
    ServiceReply clickStore(const ServiceRequest& request);
    ServiceReply setTuijian(const ServiceRequest& request);
    ServiceReply recommendProject(const ServiceRequest& request, ParamReader& in);
    ServiceReply detail(const ServiceRequest& request);

    QJsonObject projectJson(const QVariantMap& row, bool withDetails) const;

    ServiceContext& m_context;
};

#endif // NEWHOUSEROUTES_H
