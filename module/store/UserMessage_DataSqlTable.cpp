#include "store/UserMessage_DataSqlTable.h"

#include "net/http/JsonValues.h"
#include "net/http/NetRequestObjecet.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

QStringList UserMessage_DataSqlTable::FunctionAuth::departmentNames() const
{
    QStringList names;
    for (const QVariantMap& d : bumens) {
        QString name = d.value(QStringLiteral("dept_name")).toString();
        if (JsonValues::toBool(d.value(QStringLiteral("with_down"))))
            name += QStringLiteral("(含以下)");
        names.append(name);
    }
    return names;
}

UserMessage_DataSqlTable::UserMessage_DataSqlTable(QObject* parent, bool jointSale)
    : BaseSqlObject(parent, QStringLiteral("user"), jointSale)
{
    if (isOpen())
        LocalDatabase::createUserTable(database(), tableName());
}

UserMessage_DataSqlTable::Row UserMessage_DataSqlTable::readRow()
{
    Row row;
    if (!isOpen())
        return row;
    QSqlQuery query(database());
    query.prepare(QStringLiteral("select * from %1 where phone=?").arg(tableName()));
    query.addBindValue(DataCenter::UserPhoneNumber);
    if (query.exec() && query.next()) {
        row.found = true;
        row.init = query.value(QStringLiteral("init")).toString();
        row.userauth = query.value(QStringLiteral("userauth")).toString();
        row.bumens = query.value(QStringLiteral("bumens")).toString();
    }
    return row;
}

UserMessage_DataSqlTable::UserMessage UserMessage_DataSqlTable::getUserMessage()
{
    UserMessage message;
    const Row row = readRow();
    if (!row.found)
        return message; // no row: not a manager, no rights
    message.found = true;
    message.init = NetRequestObjecet::jsonToMap(row.init);
    const QVariantMap userinfo = message.init.value(QStringLiteral("userinfo")).toMap();
    message.isManager = JsonValues::toBool(userinfo.value(QStringLiteral("ismanager")));
    message.isIndependent = JsonValues::toBool(userinfo.value(QStringLiteral("isindependent")));
    return message;
}

UserMessage_DataSqlTable::FunctionAuth UserMessage_DataSqlTable::getFunctionAuth(const QList<QVariant>& departments,
                                                                                  int functionId)
{
    Q_UNUSED(departments)
    FunctionAuth auth;
    auth.id = functionId;
    const Row row = readRow();
    if (!row.found)
        return auth;
    const QList<QVariantMap> groups = NetRequestObjecet::jsonToMapList(row.userauth);
    for (const QVariantMap& group : groups) {
        const QVariantList content = group.value(QStringLiteral("content")).toList();
        for (const QVariant& entryValue : content) {
            const QVariantMap entry = entryValue.toMap();
            if (entry.value(QStringLiteral("id")).toInt() != functionId)
                continue;
            auth.selected = JsonValues::toBool(entry.value(QStringLiteral("selected")));
            auth.range = entry.value(QStringLiteral("range")).toInt();
            if (auth.range == 1)
                auth.range = 6;
            else if (auth.range == 3)
                auth.range = 4;
            const QVariantList depts = entry.value(QStringLiteral("bumens")).toList();
            for (const QVariant& d : depts)
                auth.bumens.append(d.toMap());
            return auth;
        }
    }
    return auth;
}

bool UserMessage_DataSqlTable::hasFunctionAuth(const QList<QVariant>& departments, int functionId)
{
    return getFunctionAuth(departments, functionId).selected;
}

// Scopes 4 and 5 both use the departments listed with the right; one marked "with_down" also
// covers the departments below it, found through the company tree in the "bumens" column
// (entries with "dept_id" and "parent_id").
bool UserMessage_DataSqlTable::departmentInScope(const FunctionAuth& auth, const QString& deptId, const Row& row) const
{
    if (deptId.isEmpty())
        return false;
    QHash<QString, QString> parentOf;
    for (const QVariantMap& d : NetRequestObjecet::jsonToMapList(row.bumens))
        parentOf.insert(d.value(QStringLiteral("dept_id")).toString(), d.value(QStringLiteral("parent_id")).toString());

    for (const QVariantMap& d : auth.bumens) {
        const QString id = d.value(QStringLiteral("dept_id")).toString();
        if (id == deptId)
            return true;
        if (!JsonValues::toBool(d.value(QStringLiteral("with_down"))))
            continue;
        QSet<QString> seen;
        QString current = parentOf.value(deptId);
        while (!current.isEmpty() && !seen.contains(current)) {
            if (current == id)
                return true;
            seen.insert(current);
            current = parentOf.value(current);
        }
    }
    return false;
}

bool UserMessage_DataSqlTable::canOperate(int functionId, const QString& deptId, const QString& ownerPhone,
                                          bool ownerPasses, bool jointSale)
{
    if (jointSale ? DataCenter::isJointSaleManger : DataCenter::isManager)
        return true;
    if (functionId == 0)
        return false;
    const FunctionAuth auth = getFunctionAuth({}, functionId);
    if (!auth.selected)
        return false;
    const bool isOwner = !ownerPhone.isEmpty() && ownerPhone == DataCenter::UserPhoneNumber;
    if (ownerPasses && isOwner)
        return true;
    switch (auth.range) {
    case 0:
        return true;
    case 2:
        return isOwner;
    case 4:
    case 5:
        return departmentInScope(auth, deptId, readRow());
    case 6: {
        const QString own = getUserMessage().value(QStringLiteral("suozai_bumens"));
        return !deptId.isEmpty() && own.split(QLatin1Char(','), Qt::SkipEmptyParts).contains(deptId);
    }
    default:
        return false;
    }
}
