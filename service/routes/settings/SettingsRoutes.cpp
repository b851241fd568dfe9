#include "routes/settings/SettingsRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/settings/SiteSettings.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/StyleData.h"

SettingsRoutes::SettingsRoutes(ServiceContext& context)
    : m_context(context)
{
}

void SettingsRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/mtore/getmstoreconfig"), session,
               [this](const ServiceRequest& r) { return settings(r); });
    router.add(QStringLiteral("api/mtore/mstoreconfig"), session,
               [this](const ServiceRequest& r) { return saveSettings(r); });
}

ServiceReply SettingsRoutes::settings(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    const QJsonObject values = SiteSettings::values(db, request.session.companyId);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    return Envelope::success(values);
}

ServiceReply SettingsRoutes::saveSettings(const ServiceRequest& request)
{
    if (!request.session.isManager)
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    QJsonObject saved;
    const QVariantMap values = SiteSettings::read(request.params, in, &saved);
    if (!in.ok())
        return Envelope::refused(in.message());
    if (!StyleData::saveSettings(m_context.db(), request.session.companyId, values))
        return Envelope::internalError();
    return Envelope::success(saved, QStringLiteral("设置成功"));
}
