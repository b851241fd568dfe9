#include "sessions/HouseManagerRights.h"

#include "sessions/RightsCheck.h"
#include "sessions/SessionInfo.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

namespace {

QString idText(const QJsonValue& value)
{
    return value.isDouble() ? QString::number(value.toVariant().toLongLong()) : value.toString();
}

bool departmentInScope(ServiceDatabase& db, const QString& companyId, const QJsonArray& departments, qint64 storeId)
{
    if (storeId <= 0)
        return false;
    // The listing's department and every department above it, within the company.
    QSet<QString> chain;
    qint64 current = storeId;
    while (current > 0 && !chain.contains(QString::number(current))) {
        chain.insert(QString::number(current));
        const QVariantMap row = db.selectOne(
            QStringLiteral("SELECT parent_id FROM departments WHERE id = ? AND company_id = ?"), {current, companyId});
        current = row.isEmpty() ? 0 : row.value(QStringLiteral("parent_id")).toLongLong();
    }
    const QString own = QString::number(storeId);
    for (const QJsonValue& value : departments) {
        const QJsonObject department = value.toObject();
        const QString id = idText(department.value(QStringLiteral("dept_id")));
        if (id == own)
            return true;
        if (RightsCheck::isSet(department.value(QStringLiteral("with_down"))) && chain.contains(id))
            return true;
    }
    return false;
}

} // namespace

bool HouseManagerRights::canOperate(ServiceDatabase& db, const SessionInfo& session, int functionId, qint64 storeId,
                                    const QString& ownerPhone)
{
    if (session.isManager)
        return true;
    if (functionId == 0)
        return false;
    const QJsonObject entry = RightsCheck::grantedEntry(db, session.jobId, functionId);
    if (entry.isEmpty())
        return false;
    int range = entry.value(QStringLiteral("range")).toVariant().toInt();
    if (range == 1)
        range = 6;
    else if (range == 3)
        range = 4;
    switch (range) {
    case 0:
        return true;
    case 2:
        return !ownerPhone.isEmpty() && ownerPhone == session.phone;
    case 4:
    case 5:
        return departmentInScope(db, session.companyId, entry.value(QStringLiteral("bumens")).toArray(), storeId);
    case 6:
        return !db.selectOne(QStringLiteral("SELECT dept_id FROM user_departments WHERE user_id = ? AND dept_id = ?"),
                             {session.userId, storeId})
                    .isEmpty();
    default:
        return false;
    }
}
