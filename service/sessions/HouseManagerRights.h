#ifndef HOUSEMANAGERRIGHTS_H
#define HOUSEMANAGERRIGHTS_H

#include <QString>

class ServiceDatabase;
struct SessionInfo;

// The listing manager's rights on the service side, so that a request sent by hand can do no
// more than the page allows: the same rules as the page's scope check, read from the job role's
// stored rights instead of the local store.
class HouseManagerRights
{
public:
    // Whether the session's user may run the function on a listing owned by the department
    // storeId and published by ownerPhone. A manager passes; otherwise the right must be granted
    // and its scope must cover the listing: 0 everything, 2 own listings, 4 and 5 the departments
    // named with the right (with those below the ones marked "with_down"), 6 the user's own
    // departments. A stored scope 1 reads as 6 and 3 as 4.
    static bool canOperate(ServiceDatabase& db, const SessionInfo& session, int functionId, qint64 storeId,
                           const QString& ownerPhone);

private:
    HouseManagerRights() = delete;
};

#endif // HOUSEMANAGERRIGHTS_H
