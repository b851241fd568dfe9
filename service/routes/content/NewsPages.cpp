#include "routes/content/NewsPages.h"

#include "app/ServiceContext.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/SitePage.h"
#include "sessions/RightsCheck.h"
#include "sessions/SessionInfo.h"
#include "storage/core/ServiceDatabase.h"

namespace {

const int kArticlesRight = 148;

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString number(qint64 value)
{
    return QString::number(value);
}

} // namespace

NewsPages::NewsPages(ServiceContext& context)
    : m_context(context)
{
    // The pages live in this static library; naming them keeps the linker from dropping them.
    Q_INIT_RESOURCE(news_pages);
}

void NewsPages::registerRoutes(ServiceRouter& router)
{
    const auto open = ServiceRouter::Access::Public;
    for (NewsData::Kind kind : {NewsData::Kind::News, NewsData::Kind::BaiKe}) {
        for (Page page : {Page::Add, Page::Edit, Page::Category, Page::Picture}) {
            router.add(QStringLiteral("site/") + fileName(kind, page), open,
                       [this, kind, page](const ServiceRequest& r) { return servePage(r, kind, page); });
        }
    }
    for (const QString& script : {QStringLiteral("desktop_bridge.js"), QStringLiteral("news_pages.js")}) {
        router.add(QStringLiteral("site/") + script, open, [script](const ServiceRequest&) {
            return ServiceReply::bytes(render(script, {}).toUtf8(),
                                       QByteArrayLiteral("application/javascript; charset=utf-8"));
        });
    }
}

QString NewsPages::fileName(NewsData::Kind kind, Page page)
{
    static const char* const suffixes[] = {"_add.html", "_edit.html", "_menu_list.html", "_img.html"};
    return NewsData::kindName(kind) + QLatin1String(suffixes[static_cast<int>(page)]);
}

QString NewsPages::noun(NewsData::Kind kind)
{
    return kind == NewsData::Kind::News ? QStringLiteral("资讯") : QStringLiteral("百科");
}

ServiceReply NewsPages::admit(const ServiceRequest& request, const SessionInfo& session) const
{
    ServiceReply refused = SitePage::admit(request, session, {QStringLiteral("city"), QStringLiteral("cityid")});
    if (refused.body.isEmpty() && !RightsCheck::hasAny(m_context.db(), session, {kArticlesRight}))
        refused = SitePage::refusal(403, QStringLiteral("无法打开"), RightsCheck::noRightMessage());
    return refused;
}

ServiceReply NewsPages::servePage(const ServiceRequest& request, NewsData::Kind kind, Page page)
{
    const SessionInfo session = SitePage::sessionOf(m_context, request);
    ServiceReply refused = admit(request, session);
    if (!refused.body.isEmpty())
        return refused;

    ServiceDatabase& db = m_context.db();
    QString heading;
    QString body;
    switch (page) {
    case Page::Add:
        heading = QStringLiteral("添加") + noun(kind);
        body = articleBody(session.companyId, kind, NewsData::Article());
        break;
    case Page::Edit: {
        bool ok = false;
        const qint64 id = request.params.value(QStringLiteral("id")).toLongLong(&ok);
        const NewsData::Article article = ok ? NewsData::article(db, session.companyId, kind, id) : NewsData::Article();
        if (article.id == 0)
            return SitePage::refusal(404, QStringLiteral("无法打开"), QStringLiteral("该%1不存在或已被删除").arg(noun(kind)));
        heading = QStringLiteral("编辑") + noun(kind);
        body = articleBody(session.companyId, kind, article);
        break;
    }
    case Page::Category:
        heading = noun(kind) + QStringLiteral("类目");
        body = categoryBody(session.companyId, kind);
        break;
    case Page::Picture:
        heading = kind == NewsData::Kind::News ? QStringLiteral("轮播图片") : QStringLiteral("顶部图片");
        body = pictureBody(session.companyId, kind);
        break;
    }
    if (!db.lastError().isEmpty())
        return SitePage::refusal(500, QStringLiteral("无法打开"), QStringLiteral("服务暂时无法读取数据，请稍后重试"));
    const QString company = db.company(session.companyId).value(QStringLiteral("name")).toString();
    return SitePage::page(render(QStringLiteral("layout.html"),
                                 {{QStringLiteral("title"), escaped(heading)},
                                  {QStringLiteral("heading"), escaped(heading)},
                                  {QStringLiteral("company"), escaped(company)},
                                  {QStringLiteral("kind"), NewsData::kindName(kind)},
                                  {QStringLiteral("noun"), noun(kind)},
                                  {QStringLiteral("body"), body}}));
}

QString NewsPages::articleBody(const QString& companyId, NewsData::Kind kind, const NewsData::Article& article)
{
    QString options = QStringLiteral("<option value=\"0\">不分类</option>");
    for (const NewsData::Category& category : NewsData::categories(m_context.db(), companyId, kind)) {
        options += QStringLiteral("<option value=\"%1\"%2>%3</option>")
                       .arg(number(category.id),
                            category.id == article.categoryId ? QStringLiteral(" selected") : QString(),
                            escaped(category.name));
    }
    return render(QStringLiteral("article.html"),
                  {{QStringLiteral("id"), article.id > 0 ? number(article.id) : QString()},
                   {QStringLiteral("title"), escaped(article.title)},
                   {QStringLiteral("categories"), options},
                   {QStringLiteral("come_from"), escaped(article.comeFrom)},
                   {QStringLiteral("img"), escaped(article.img)},
                   {QStringLiteral("content"), escaped(article.content)},
                   {QStringLiteral("noun"), noun(kind)}});
}

QString NewsPages::categoryBody(const QString& companyId, NewsData::Kind kind)
{
    QString rows;
    const QList<NewsData::Category> categories = NewsData::categories(m_context.db(), companyId, kind);
    for (const NewsData::Category& category : categories) {
        rows += QStringLiteral("<tr data-id=\"%1\"><td><input type=\"text\" class=\"name\" maxlength=\"20\" value=\"%2\">"
                               "</td><td><input type=\"number\" class=\"sort\" value=\"%3\"></td><td>%4</td><td>"
                               "<button type=\"button\" class=\"plain save\">保存</button> "
                               "<button type=\"button\" class=\"danger remove\">删除</button></td></tr>")
                    .arg(number(category.id), escaped(category.name), number(category.sort), number(category.articles));
    }
    return render(QStringLiteral("categories.html"),
                  {{QStringLiteral("rows"), rows},
                   {QStringLiteral("empty"), categories.isEmpty()
                                                 ? QStringLiteral("<p class=\"empty\">还没有类目</p>")
                                                 : QString()}});
}

QString NewsPages::pictureBody(const QString& companyId, NewsData::Kind kind)
{
    QString rows;
    const QList<NewsData::Picture> pictures = NewsData::pictures(m_context.db(), companyId, kind);
    for (const NewsData::Picture& picture : pictures) {
        rows += QStringLiteral("<tr data-id=\"%1\"><td><img class=\"thumb\" src=\"%2\" alt=\"\"></td><td>%3</td>"
                               "<td>%4</td><td><button type=\"button\" class=\"danger remove\">删除</button></td></tr>")
                    .arg(number(picture.id), escaped(picture.img),
                         picture.link.isEmpty() ? QStringLiteral("—") : escaped(picture.link), number(picture.sort));
    }
    return render(QStringLiteral("pictures.html"),
                  {{QStringLiteral("rows"), rows},
                   {QStringLiteral("empty"), pictures.isEmpty()
                                                 ? QStringLiteral("<p class=\"empty\">还没有图片</p>")
                                                 : QString()}});
}

QString NewsPages::render(const QString& name, const QMap<QString, QString>& values)
{
    return SitePage::render(QStringLiteral(":/news_pages/") + name, values);
}
