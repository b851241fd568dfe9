#include "routes/web/BrowseLogPages.h"

#include "app/ServiceContext.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/SitePage.h"
#include "sessions/SessionInfo.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/web/BrowseLogData.h"

#include <QUrl>

#include <algorithm>

namespace {

const char* const kTypeNames[] = {"全部", "二手房", "租房", "新房", "金融"};
const int kTypeCount = 5;

// A whole number of the query within [min, max], else fallback.
qint64 queryNumber(const ServiceRequest& request, const QString& key, qint64 fallback, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = request.params.value(key).trimmed().toLongLong(&ok);
    return ok && value >= min && value <= max ? value : fallback;
}

QString stayText(int seconds)
{
    return seconds >= 60 ? QStringLiteral("%1分%2秒").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'))
                         : QStringLiteral("%1秒").arg(seconds);
}

} // namespace

BrowseLogPages::BrowseLogPages(ServiceContext& context)
    : m_context(context)
{
    // The pages live in this static library; naming them keeps the linker from dropping them.
    Q_INIT_RESOURCE(site_pages);
}

void BrowseLogPages::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("site/browselogs.html"), ServiceRouter::Access::Public,
               [this](const ServiceRequest& r) { return servePage(r); });
    router.add(QStringLiteral("site/browse_logs.js"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        return ServiceReply::bytes(SitePage::render(QStringLiteral(":/site_pages/browse_logs.js"), {}).toUtf8(),
                                   QByteArrayLiteral("application/javascript; charset=utf-8"));
    });
}

ServiceReply BrowseLogPages::servePage(const ServiceRequest& request)
{
    const SessionInfo session = SitePage::sessionOf(m_context, request);
    const ServiceReply refused = SitePage::admit(request, session, {QStringLiteral("cityid")});
    if (!refused.body.isEmpty())
        return refused;

    const int type = static_cast<int>(queryNumber(request, QStringLiteral("type"), 0, 0, kTypeCount - 1));
    qint64 pageIndex = queryNumber(request, QStringLiteral("page"), 1, 1, 1000000);
    ServiceDatabase& db = m_context.db();
    qint64 total = 0;
    QList<QVariantMap> visits = BrowseLogData::visits(db, session.companyId, type, pageIndex, kPageSize, &total);
    const qint64 pages = std::max<qint64>(1, (total + kPageSize - 1) / kPageSize);
    if (pageIndex > pages) {
        pageIndex = pages;
        visits = BrowseLogData::visits(db, session.companyId, type, pageIndex, kPageSize, &total);
    }
    if (!db.lastError().isEmpty())
        return SitePage::refusal(500, QStringLiteral("无法打开"), QStringLiteral("服务暂时无法读取数据，请稍后重试"));

    // Links keep to the login's company, whatever else the address held.
    const QString base = QStringLiteral("browselogs.html?companyid=")
        + QString::fromLatin1(QUrl::toPercentEncoding(session.companyId));
    const auto link = [&base](int toType, qint64 toPage) {
        return QString(base + QStringLiteral("&type=%1&page=%2").arg(toType).arg(toPage)).toHtmlEscaped();
    };

    QString filters = QStringLiteral("<div class=\"panel filters\">");
    for (int t = 0; t < kTypeCount; ++t) {
        filters += QStringLiteral("<a href=\"%1\"%2>%3</a>")
                       .arg(link(t, 1), t == type ? QStringLiteral(" class=\"chosen\"") : QString(),
                            QString::fromUtf8(kTypeNames[t]));
    }
    filters += QStringLiteral("</div>");

    QList<QStringList> rows;
    QStringList attributes;
    for (const QVariantMap& visit : visits) {
        const int visitType = visit.value(QStringLiteral("type")).toInt();
        const QString phone = visit.value(QStringLiteral("phone")).toString();
        rows.append({visit.value(QStringLiteral("visited_at")).toString().toHtmlEscaped(),
                     visit.value(QStringLiteral("visitor")).toString().toHtmlEscaped(),
                     phone.isEmpty() ? QStringLiteral("—") : phone.toHtmlEscaped(),
                     QString::fromUtf8(kTypeNames[visitType >= 1 && visitType < kTypeCount ? visitType : 0]),
                     visit.value(QStringLiteral("title")).toString().toHtmlEscaped(),
                     stayText(visit.value(QStringLiteral("seconds")).toInt())});
        attributes.append(QStringLiteral("class=\"visit\" tabindex=\"0\" data-type=\"%1\" data-item=\"%2\"")
                              .arg(visitType)
                              .arg(visit.value(QStringLiteral("item_id")).toLongLong()));
    }

    QString paging = QStringLiteral("<div class=\"pages\">");
    if (pageIndex > 1)
        paging += QStringLiteral("<a href=\"%1\">上一页</a>").arg(link(type, pageIndex - 1));
    paging += QStringLiteral("<span>第 %1 / %2 页，共 %3 条</span>").arg(pageIndex).arg(pages).arg(total);
    if (pageIndex < pages)
        paging += QStringLiteral("<a href=\"%1\">下一页</a>").arg(link(type, pageIndex + 1));
    paging += QStringLiteral("</div>");

    const QString body = filters
        + SitePage::table({QStringLiteral("浏览时间"), QStringLiteral("访客"), QStringLiteral("手机"),
                           QStringLiteral("类型"), QStringLiteral("浏览内容"), QStringLiteral("停留")},
                          rows, QStringLiteral("还没有访客的浏览记录"), attributes)
        + paging + QStringLiteral("<p class=\"hint\">点击一条记录，可打开对应的房源、楼盘或金融产品。</p>"
                                  "<script>initVisitRows();</script>");
    const QString company = db.company(session.companyId).value(QStringLiteral("name")).toString();
    return SitePage::framed(QStringLiteral("用户轨迹"), company, body,
                            {QStringLiteral("desktop_bridge.js"), QStringLiteral("browse_logs.js")});
}
