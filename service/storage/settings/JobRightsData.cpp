#include "storage/settings/JobRightsData.h"

#include "storage/core/ServiceDatabase.h"

#include <QJsonDocument>
#include <QMap>
#include <QStringList>
#include <QVariantList>

QString JobRightsData::appName(qint64 appId)
{
    return appId == kMicroWebsiteApp ? QStringLiteral("微官网") : QString();
}

QList<int> JobRightsData::rightIds(qint64 appId)
{
    if (appId != kMicroWebsiteApp)
        return {};
    return {65, 66, 67, 68, 69, 70, 71, 72, 73, 80, 81, 82, 83, 93, 97, 98, 148, 156};
}

QVariantMap JobRightsData::job(ServiceDatabase& db, const QString& companyId, qint64 jobId)
{
    return db.selectOne(QStringLiteral("SELECT id, name FROM jobs WHERE id = ? AND company_id = ?"), {jobId, companyId});
}

QList<JobRightsData::App> JobRightsData::apps(ServiceDatabase& db, qint64 jobId)
{
    const QList<QVariantMap> rows = db.select(
        QStringLiteral("SELECT app_id, app_name, content FROM job_auth WHERE job_id = ? ORDER BY app_id"), {jobId});
    QList<App> apps;
    for (const QVariantMap& row : rows) {
        App app;
        app.id = row.value(QStringLiteral("app_id")).toLongLong();
        app.name = row.value(QStringLiteral("app_name")).toString();
        app.content = QJsonDocument::fromJson(row.value(QStringLiteral("content")).toString().toUtf8()).array();
        apps.append(app);
    }
    return apps;
}

bool JobRightsData::saveApps(ServiceDatabase& db, qint64 jobId, const QList<App>& apps)
{
    if (apps.isEmpty())
        return true;
    // One statement, so the apps are stored all or none even inside a caller's transaction.
    // An app named twice keeps its last entry, as a row written twice would.
    QMap<qint64, const App*> latest;
    for (const App& app : apps)
        latest.insert(app.id, &app);
    QStringList rows;
    QVariantList bound;
    for (const App* entry : qAsConst(latest)) {
        const App& app = *entry;
        rows.append(QStringLiteral("(?, ?, ?, ?)"));
        bound << jobId << app.id << app.name
              << QString::fromUtf8(QJsonDocument(app.content).toJson(QJsonDocument::Compact));
    }
    return db.execute(QStringLiteral("INSERT INTO job_auth(job_id, app_id, app_name, content) VALUES ")
                          + rows.join(QStringLiteral(", "))
                          + QStringLiteral(" ON CONFLICT(job_id, app_id) DO UPDATE SET app_name = excluded.app_name,"
                                           " content = excluded.content"),
                      bound);
}
