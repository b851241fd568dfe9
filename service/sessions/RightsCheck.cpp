#include "sessions/RightsCheck.h"

#include "sessions/SessionInfo.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/JobRightsData.h"

#include <QJsonArray>

bool RightsCheck::hasAny(ServiceDatabase& db, const SessionInfo& session, const QList<int>& functionIds)
{
    if (session.isManager)
        return true;
    for (int functionId : functionIds) {
        if (!grantedEntry(db, session.jobId, functionId).isEmpty())
            return true;
    }
    return false;
}

QJsonObject RightsCheck::grantedEntry(ServiceDatabase& db, qint64 jobId, int functionId)
{
    const QList<JobRightsData::App> apps = JobRightsData::apps(db, jobId);
    for (const JobRightsData::App& app : apps) {
        for (const QJsonValue& value : app.content) {
            const QJsonObject entry = value.toObject();
            if (entry.value(QStringLiteral("id")).toVariant().toInt() == functionId)
                return isSet(entry.value(QStringLiteral("selected"))) ? entry : QJsonObject();
        }
    }
    return QJsonObject();
}

bool RightsCheck::isSet(const QJsonValue& value)
{
    if (value.isString())
        return value.toString() == QLatin1String("1") || value.toString() == QLatin1String("true");
    if (value.isDouble())
        return value.toDouble() != 0;
    return value.toBool();
}

QString RightsCheck::noRightMessage()
{
    return QStringLiteral("您当前没有权利操作，请联系管理员！");
}
