#include "HouseManagerRights.h"

#include "ServiceDatabase.h"
#include "SessionInfo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

bool truthy(const QJsonValue& value)
{
    if (value.isString())
        return value.toString() == QLatin1String("1") || value.toString() == QLatin1String("true");
    if (value.isDouble())
        return value.toDouble() != 0;
    return value.toBool();
}

QString idText(const QJsonValue& value)
{
    return value.isDouble() ? QString::number(value.toVariant().toLongLong()) : value.toString();
}

// The job role's entry for the function, searched through every app's rights as the page does;
// an empty object when the role has none.
QJsonObject rightEntry(ServiceDatabase& db, qint64 jobId, int functionId)
{
    const QList<QVariantMap> rows =
        db.select(QStringLiteral("SELECT content FROM job_auth WHERE job_id = ? ORDER BY app_id"), {jobId});
    for (const QVariantMap& row : rows) {
        const QJsonArray content =
            QJsonDocument::fromJson(row.value(QStringLiteral("content")).toString().toUtf8()).array();
        for (const QJsonValue& value : content) {
            const QJsonObject entry = value.toObject();
            if (entry.value(QStringLiteral("id")).toVariant().toInt() == functionId)
                return entry;
        }
    }
    return QJsonObject();
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
        if (truthy(department.value(QStringLiteral("with_down"))) && chain.contains(id))
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
    const QJsonObject entry = rightEntry(db, session.jobId, functionId);
    if (!truthy(entry.value(QStringLiteral("selected"))))
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
