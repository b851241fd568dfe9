#ifndef USERMESSAGE_DATASQLTABLE_H
#define USERMESSAGE_DATASQLTABLE_H

#include "store/BaseSqlObject.h"

#include <QVariantMap>

// The logged-in user's login data and function rights, as the host stored them.
class UserMessage_DataSqlTable : public BaseSqlObject
{
    Q_OBJECT
public:
    struct UserMessage
    {
        bool found = false;        // a row exists for the user
        bool isManager = false;    // "userinfo" / "ismanager"
        bool isIndependent = false; // "userinfo" / "isindependent"
        QVariantMap init;          // the whole login data
        QString value(const QString& key) const { return init.value(key).toString(); }
    };

    struct FunctionAuth
    {
        int id = 0;
        bool selected = false;        // granted
        int range = 0;                // scope, after remapping stored 1 to 6 and 3 to 4
        QList<QVariantMap> bumens;    // departments of the scope
        QStringList departmentNames() const; // "(含以下)" after those that include sub-departments
    };

    explicit UserMessage_DataSqlTable(QObject* parent = nullptr, bool jointSale = false);

    UserMessage getUserMessage();
    FunctionAuth getFunctionAuth(const QList<QVariant>& departments, int functionId);
    bool hasFunctionAuth(const QList<QVariant>& departments, int functionId);

    // Scope check of the listing manager for a listing owned by deptId / ownerPhone.
    bool canOperate(int functionId, const QString& deptId, const QString& ownerPhone, bool ownerPasses,
                    bool jointSale);

private:
    struct Row
    {
        bool found = false;
        QString init;
        QString userauth;
        QString bumens;
    };
    Row readRow();
    bool departmentInScope(const FunctionAuth& auth, const QString& deptId, const Row& row) const;
};

#endif // USERMESSAGE_DATASQLTABLE_H
