#ifndef LOCALSTOREFIXTURE_H
#define LOCALSTOREFIXTURE_H

#include <QString>
#include <QVariantList>
#include <QVariantMap>

// Writes users into the local store as the host does after a login, and logs one in.
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
};

#endif // LOCALSTOREFIXTURE_H
