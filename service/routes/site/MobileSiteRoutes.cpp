#include "routes/site/MobileSiteRoutes.h"

#include "app/ServiceContext.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/JsonText.h"
#include "routes/common/SitePage.h"
#include "routes/settings/SiteSettings.h"
#include "routes/site/MobileContentPages.h"
#include "routes/site/MobileHomePage.h"
#include "routes/site/MobileListingPages.h"
#include "routes/site/MobilePage.h"
#include "routes/site/TopIconPreview.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/StyleData.h"
#include "storage/site/PublicSiteData.h"
#include "storage/site/SiteChanges.h"

#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

// The query pieces that change what a page shows; others do not make another address.
const char* const kQueryKeys[] = {"page", "district", "key"};

QString cacheAddress(const ServiceRequest& request)
{
    QString address = request.path;
    for (const char* key : kQueryKeys) {
        const QString name = QString::fromLatin1(key);
        if (request.params.contains(name))
            address += QLatin1Char('\n') + name + QLatin1Char('=') + request.params.value(name);
    }
    return address;
}

// The record's id of a path such as "house/12", or 0 when the path is not of that page.
qint64 idOf(const QString& sitePath, const QString& prefix)
{
    static const QRegularExpression number(QStringLiteral("^[1-9][0-9]{0,17}$"));
    if (!sitePath.startsWith(prefix))
        return 0;
    const QString rest = sitePath.mid(prefix.size());
    return number.match(rest).hasMatch() ? rest.toLongLong() : 0;
}

MobilePage::Look lookOf(const QJsonObject& settings)
{
    MobilePage::Look look;
    look.zhuti = settings.value(QStringLiteral("zhuti")).toInt(1);
    look.dibu = settings.value(QStringLiteral("dibu")).toInt(1);
    look.bsearch = settings.value(QStringLiteral("bsearch")).toInt(1);
    look.menutype = settings.value(QStringLiteral("menutype")).toInt(1);
    return look;
}

ServiceReply withHeaders(ServiceReply reply, const QByteArray& etag, bool preview)
{
    if (preview) {
        reply.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")});
    } else {
        // Kept, but asked again each time: a change in the back office shows at the next load.
        reply.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache")});
        if (reply.status == 200)
            reply.headers.append({QByteArrayLiteral("ETag"), etag});
    }
    return reply;
}

} // namespace

MobileSiteRoutes::MobileSiteRoutes(ServiceContext& context)
    : m_context(context)
    , m_processToken(QString::number(QRandomGenerator::global()->generate64(), 36))
{
    // The style sheet lives in this static library; naming it keeps the linker from dropping it.
    Q_INIT_RESOURCE(mobile_pages);
}

QString MobileSiteRoutes::homePath(const QString& companyId)
{
    return QStringLiteral("site/m/") + companyId + QLatin1Char('/');
}

void MobileSiteRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("site/m/site.css"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        ServiceReply reply = ServiceReply::bytes(SitePage::render(QStringLiteral(":/mobile_pages/site.css"), {}).toUtf8(),
                                                 QByteArrayLiteral("text/css; charset=utf-8"));
        reply.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("max-age=3600")});
        return reply;
    });
    router.addPrefix(QStringLiteral("site/m/"), ServiceRouter::Access::Public,
                     [this](const ServiceRequest& request) { return serve(request); });
    // Whatever a session call writes may show on the company's site.
    ServiceDatabase& db = m_context.db();
    router.setAroundSessionRoutes([&db](const ServiceRequest& request, const ServiceRouter::Handler& handler) {
        const quint64 before = ServiceDatabase::writesOnThisThread();
        ServiceReply reply = handler(request);
        if (ServiceDatabase::writesOnThisThread() != before)
            SiteChanges::touch(db, request.session.companyId);
        return reply;
    });
}

ServiceReply MobileSiteRoutes::serve(const ServiceRequest& request)
{
    static const QRegularExpression sitePage(QStringLiteral("^site/m/([0-9A-Za-z_-]{1,32})/(.*)$"));
    const QRegularExpressionMatch match = sitePage.match(request.path);
    if (!match.hasMatch())
        return ServiceReply::notFound();
    const QString companyId = match.captured(1);
    const QString sitePath = match.captured(2);
    ServiceDatabase& db = m_context.db();
    const quint64 failures = ServiceDatabase::failuresOnThisThread();
    const QVariantMap company = SiteChanges::company(db, companyId);
    if (ServiceDatabase::failuresOnThisThread() != failures)
        return SitePage::refusal(503, QStringLiteral("无法打开"), QStringLiteral("服务暂时不可用，请稍后重试"));
    if (company.isEmpty() || company.value(QStringLiteral("site_open")).toInt() == 0)
        return ServiceReply::notFound();

    const bool preview = request.params.contains(TopIconPreview::kQueryKey);
    const QString stamp = company.value(QStringLiteral("changed")).toString();
    const QByteArray etag = '"' + (stamp.isEmpty() ? QByteArrayLiteral("0") : stamp.toLatin1()) + '.'
        + m_processToken.toLatin1() + '"';
    const QString address = cacheAddress(request);
    if (!preview) {
        if (request.header(QStringLiteral("if-none-match")) == QString::fromLatin1(etag)) {
            ServiceReply unchanged;
            unchanged.status = 304;
            return withHeaders(unchanged, etag, false);
        }
        QByteArray body;
        if (m_cache.find(address, stamp, &body)) {
            ServiceReply cached;
            cached.contentType = QByteArrayLiteral("text/html; charset=utf-8");
            cached.body = body;
            return withHeaders(cached, etag, false);
        }
    }

    const QJsonObject settings = SiteSettings::values(db, companyId);
    const MobilePage page(companyId, company.value(QStringLiteral("name")).toString(), lookOf(settings), sitePath);
    bool isPreview = false;
    ServiceReply reply = render(request, page, sitePath, settings, &isPreview);
    if (ServiceDatabase::failuresOnThisThread() != failures)
        return page.refused(503, QStringLiteral("服务暂时不可用，请稍后重试"));
    if (reply.status == 200 && !isPreview)
        m_cache.store(address, stamp, reply.body);
    return withHeaders(reply, etag, isPreview);
}

ServiceReply MobileSiteRoutes::render(const ServiceRequest& request, const MobilePage& page, const QString& sitePath,
                                      const QJsonObject& settings, bool* preview)
{
    ServiceDatabase& db = m_context.db();
    const QString& companyId = page.companyId();
    if (sitePath.isEmpty()) {
        const QString stored = StyleData::topIcons(db, companyId);
        QJsonArray icons = JsonText::parse(stored).array();
        if (request.params.contains(TopIconPreview::kQueryKey)) {
            *preview = true;
            ParamReader in(request.params);
            icons = TopIconPreview::read(m_context, companyId, stored, in);
            if (!in.ok())
                return page.refused(400, in.message());
        }
        return MobileHomePage::render(db, page, settings, icons);
    }
    if (sitePath == QLatin1String("houses/sale"))
        return MobileListingPages::houses(db, page, PublicSiteData::Sale, request.params);
    if (sitePath == QLatin1String("houses/rent"))
        return MobileListingPages::houses(db, page, PublicSiteData::Rent, request.params);
    if (sitePath == QLatin1String("newhouses"))
        return MobileListingPages::projects(db, page, request.params);
    if (sitePath == QLatin1String("loans"))
        return MobileListingPages::loans(db, page);
    if (sitePath == QLatin1String("news"))
        return MobileContentPages::articles(db, page, NewsData::Kind::News, request.params);
    if (sitePath == QLatin1String("baike"))
        return MobileContentPages::articles(db, page, NewsData::Kind::BaiKe, request.params);
    if (sitePath == QLatin1String("topics"))
        return MobileContentPages::topics(db, page, request.params);
    if (sitePath == QLatin1String("profile"))
        return MobileContentPages::profile(db, page);
    if (sitePath == QLatin1String("jobs"))
        return MobileContentPages::jobs(db, page);
    if (const qint64 id = idOf(sitePath, QStringLiteral("house/")))
        return MobileListingPages::house(db, page, id, settings);
    if (const qint64 id = idOf(sitePath, QStringLiteral("newhouse/")))
        return MobileListingPages::project(db, page, id);
    if (const qint64 id = idOf(sitePath, QStringLiteral("loan/")))
        return MobileListingPages::loan(db, page, id);
    if (const qint64 id = idOf(sitePath, QStringLiteral("news/")))
        return MobileContentPages::article(db, page, NewsData::Kind::News, id);
    if (const qint64 id = idOf(sitePath, QStringLiteral("baike/")))
        return MobileContentPages::article(db, page, NewsData::Kind::BaiKe, id);
    if (const qint64 id = idOf(sitePath, QStringLiteral("topic/")))
        return MobileContentPages::topic(db, page, id);
    if (const qint64 id = idOf(sitePath, QStringLiteral("job/")))
        return MobileContentPages::job(db, page, id);
    if (const qint64 id = idOf(sitePath, QStringLiteral("app/")))
        return MobileContentPages::app(db, page, id);
    return page.refused(404, QStringLiteral("页面不存在"));
}
