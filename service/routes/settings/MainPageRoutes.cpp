#include "routes/settings/MainPageRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ServiceRouter.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonObject>

namespace {

// The "我的官网" tile always points at the site's current address.
const int kMySiteItemId = -3;

} // namespace

MainPageRoutes::MainPageRoutes(ServiceContext& context)
    : m_context(context)
{
}

void MainPageRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("api/mtore/appposts"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return appPosts(request); });
}

ServiceReply MainPageRoutes::appPosts(const ServiceRequest& request)
{
    const QJsonArray list = tiles(m_context, request.session.companyId);
    if (!m_context.db().lastError().isEmpty())
        return Envelope::internalError();
    return Envelope::success(list);
}

QJsonArray MainPageRoutes::tiles(ServiceContext& context, const QString& companyId)
{
    ServiceDatabase& db = context.db();
    const bool siteOpen = db.company(companyId).value(QStringLiteral("site_open")).toInt() != 0;
    const QList<QVariantMap> rows = db.select(
        QStringLiteral("SELECT itemid, type, title, sort, show, photo, content FROM tiles WHERE company_id = ?"
                       " ORDER BY sort, id"),
        {companyId});
    QJsonArray list;
    for (const QVariantMap& row : rows) {
        const int itemId = row.value(QStringLiteral("itemid")).toInt();
        list.append(QJsonObject{
            {QStringLiteral("show"), row.value(QStringLiteral("show")).toInt()},
            {QStringLiteral("itemid"), itemId},
            {QStringLiteral("type"), row.value(QStringLiteral("type")).toInt()},
            {QStringLiteral("title"), row.value(QStringLiteral("title")).toString()},
            {QStringLiteral("sort"), row.value(QStringLiteral("sort")).toInt()},
            {QStringLiteral("photo"), row.value(QStringLiteral("photo")).toString()},
            {QStringLiteral("content"), itemId == kMySiteItemId ? context.siteUrl(companyId, siteOpen)
                                                                : row.value(QStringLiteral("content")).toString()},
        });
    }
    return list;
}
