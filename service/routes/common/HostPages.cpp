#include "routes/common/HostPages.h"

#include "app/ServiceContext.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/settings/MainPageRoutes.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

HostPages::HostPages(ServiceContext& context)
    : m_context(context)
{
}

void HostPages::registerRoutes(ServiceRouter& router)
{
    router.add(QString(), ServiceRouter::Access::Public, [this](const ServiceRequest&) { return rootIndex(); });
    router.addPrefix(QStringLiteral("site/"), ServiceRouter::Access::Public,
                     [this](const ServiceRequest& request) { return sitePages(request); });
    router.add(QStringLiteral("office/"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        return ServiceReply::html(QStringLiteral("办公服务"),
                                  QStringLiteral("<h1>办公服务</h1><p>组织架构、部门与员工资料。</p>"));
    });
    router.add(QStringLiteral("help/"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        return ServiceReply::html(QStringLiteral("帮助中心"),
                                  QStringLiteral("<h1>帮助中心</h1><p>使用教程与常见问题。</p>"));
    });
    router.add(QStringLiteral("secure/"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        return ServiceReply::html(QStringLiteral("安全服务"),
                                  QStringLiteral("<h1>安全服务</h1><p>城市列表与小区采集。</p>"));
    });
}

ServiceReply HostPages::rootIndex() const
{
    return ServiceReply::html(
        QStringLiteral("微官网参考服务"),
        QStringLiteral("<h1>微官网参考服务</h1><ul><li>接口：<code>/api/</code></li>"
                       "<li><a href=\"site/\">微官网站点</a></li><li><a href=\"office/\">办公服务</a></li>"
                       "<li><a href=\"help/\">帮助中心</a></li><li><a href=\"secure/\">安全服务</a></li></ul>"));
}

ServiceReply HostPages::sitePages(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    if (request.path == QLatin1String("site/")) {
        QString items;
        const QList<QVariantMap> companies = db.select(
            QStringLiteral("SELECT c.id, c.name, ci.name AS cityname FROM companies c JOIN cities ci"
                           " ON ci.id = c.city_id WHERE c.site_open = 1 ORDER BY c.id"));
        for (const QVariantMap& company : companies) {
            const QString id = company.value(QStringLiteral("id")).toString();
            items += QStringLiteral("<li><a href=\"%1/\">%2</a>（%3）</li>")
                         .arg(id.toHtmlEscaped(), company.value(QStringLiteral("name")).toString().toHtmlEscaped(),
                              company.value(QStringLiteral("cityname")).toString().toHtmlEscaped());
        }
        return ServiceReply::html(QStringLiteral("微官网站点"),
                                  QStringLiteral("<h1>微官网站点</h1><ul>%1</ul>").arg(items));
    }

    static const QRegularExpression companyPage(QStringLiteral("^site/([0-9A-Za-z_-]{1,32})/$"));
    const QRegularExpressionMatch match = companyPage.match(request.path);
    if (!match.hasMatch())
        return ServiceReply::notFound();
    const QVariantMap company = db.company(match.captured(1));
    if (company.isEmpty() || company.value(QStringLiteral("site_open")).toInt() == 0)
        return ServiceReply::notFound();
    QString tiles;
    for (const QJsonValue& value : MainPageRoutes::tiles(m_context, match.captured(1))) {
        const QJsonObject tile = value.toObject();
        if (tile.value(QStringLiteral("show")).toInt() != 0)
            tiles += QStringLiteral("<li>%1</li>").arg(tile.value(QStringLiteral("title")).toString().toHtmlEscaped());
    }
    const QString name = company.value(QStringLiteral("name")).toString();
    return ServiceReply::html(name, QStringLiteral("<h1>%1</h1><p>%2</p><ul>%3</ul>")
                                        .arg(name.toHtmlEscaped(),
                                             company.value(QStringLiteral("cityname")).toString().toHtmlEscaped(),
                                             tiles));
}
