#ifndef LOCALSTOREFIXTURE_H
#define LOCALSTOREFIXTURE_H

#include <QString>
#include <QVariantList>
#include <QVariantMap>

// Writes users into the local store as the host does after a login, and logs one in.
class ReferenceService;

class LocalStoreFixture
{
public:
    // One right entry of a "userauth" group.
    static QVariantMap right(int id, bool selected, int range = 0, const QVariantList& bumens = {});
    static QVariantMap dept(const QString& id, const QString& name, bool withDown);

    // Stores the row and makes `phone` the current user (DataCenter), with the manager flag.
    static void storeUser(const QString& phone, bool manager, const QVariantList& rights,
                          const QVariantMap& extraInit = {}, const QVariantList& companyDepartments = {});
    static void loginAs(const QString& phone, bool manager);
    // Removes every user's editor drafts, so a case starts without those an earlier case left.
    static void clearDrafts();
    // Logs in at the reference service and does what the host does with the reply (DataCenter,
    // session headers, local store); also points the module's addresses at that service.
    static bool loginAtService(ReferenceService& service, const QString& phone);
};

#endif // LOCALSTOREFIXTURE_H
