#include "routes/content/NewsRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/PictureAddress.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>

#include <climits>
#include <functional>

namespace {

// The right that opens the site's articles.
const int kArticlesRight = 148;

const qint64 kMaxPageIndex = 1000000;
const qint64 kMaxPageSize = 100;
const qint64 kDefaultPageSize = 10;

QString noun(NewsData::Kind kind)
{
    return kind == NewsData::Kind::News ? QStringLiteral("资讯") : QStringLiteral("百科");
}

// Done, or the refusal of a row that is not there (another company's among them).
ServiceReply answer(NewsData::Change change, const QJsonObject& data, const QString& message, const QString& missing)
{
    switch (change) {
    case NewsData::Change::Done:
        return Envelope::success(data, message);
    case NewsData::Change::NotFound:
        return Envelope::refused(missing);
    case NewsData::Change::Failed:
        break;
    }
    return Envelope::internalError();
}

ServiceReply added(qint64 id, const QString& message)
{
    return id > 0 ? Envelope::success(QJsonObject{{QStringLiteral("id"), id}}, message) : Envelope::internalError();
}

// Removes the row named by "id" with remove(id); missing: the refusal when it is not there.
ServiceReply removeById(ParamReader& in, const QString& label, const std::function<NewsData::Change(qint64)>& remove,
                        const QString& missing)
{
    const qint64 id = in.integer(QStringLiteral("id"), label, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    return answer(remove(id), QJsonObject{{QStringLiteral("id"), id}}, QStringLiteral("删除成功"), missing);
}

// An optional picture or link: empty, or an address a browser may open as such.
QString readAddress(ParamReader& in, const QString& key, const QString& invalid)
{
    const QString address = in.optionalText(key, QString(), 1000).trimmed();
    if (!address.isEmpty() && !PictureAddress::isValid(address))
        in.fail(invalid);
    return address;
}

} // namespace

NewsRoutes::NewsRoutes(ServiceContext& context)
    : m_context(context)
    , m_pages(context)
{
}

void NewsRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    const QStringList owner = {QStringLiteral("companyid"), QStringLiteral("cityid")};
    const QStringList company = {QStringLiteral("companyid")};
    for (NewsData::Kind kind : {NewsData::Kind::News, NewsData::Kind::BaiKe}) {
        const QString prefix = QStringLiteral("site/") + NewsData::kindName(kind);
        const auto add = [this, &router, session, kind](const QString& path, const QStringList& keys, Handler handler) {
            router.add(path, session,
                       [this, kind, keys, handler](const ServiceRequest& r) { return run(r, kind, keys, handler); });
        };
        add(kind == NewsData::Kind::News ? QStringLiteral("site/softzixun") : QStringLiteral("site/softbaikelist"),
            owner, &NewsRoutes::list);
        add(prefix + QStringLiteral("_list_remove"), company, &NewsRoutes::removeArticle);
        add(prefix + QStringLiteral("_save"), {}, &NewsRoutes::saveArticle);
        add(prefix + QStringLiteral("_menu_save"), {}, &NewsRoutes::saveCategory);
        add(prefix + QStringLiteral("_menu_remove"), {}, &NewsRoutes::removeCategory);
        add(prefix + QStringLiteral("_img_add"), {}, &NewsRoutes::addPicture);
        add(prefix + QStringLiteral("_img_remove"), {}, &NewsRoutes::removePicture);
    }
    m_pages.registerRoutes(router);
}

ServiceReply NewsRoutes::run(const ServiceRequest& request, NewsData::Kind kind, const QStringList& ownerKeys,
                             Handler handler)
{
    if (!RightsCheck::hasAny(m_context.db(), request.session, {kArticlesRight}))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    // The router has matched them to the session when they are given; here they must be.
    for (const QString& key : ownerKeys)
        in.text(key, key == QLatin1String("cityid") ? QStringLiteral("城市编号") : QStringLiteral("公司编号"), 32);
    if (!in.ok())
        return Envelope::refused(in.message());
    return (this->*handler)(request, kind, in);
}

ServiceReply NewsRoutes::list(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in)
{
    const qint64 page = in.optionalInteger(QStringLiteral("page"), QStringLiteral("页码"), 1, 1, kMaxPageIndex);
    const qint64 pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"),
                                               kDefaultPageSize, 1, kMaxPageSize);
    ListFilter filter(request.params, in);
    filter.contains(QStringLiteral("key"), {QStringLiteral("a.title")});
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    const QList<NewsData::Article> articles = NewsData::articles(db, request.session.companyId, kind,
                                                                 filter.conditions(), filter.values(), page, pageSize);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray rows;
    for (const NewsData::Article& article : articles)
        rows.append(rowJson(article));
    return Envelope::success(rows);
}

ServiceReply NewsRoutes::removeArticle(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in)
{
    return removeById(
        in, noun(kind) + QStringLiteral("编号"),
        [&](qint64 id) { return NewsData::removeArticle(m_context.db(), request.session.companyId, kind, id); },
        QStringLiteral("该%1不存在或已被删除").arg(noun(kind)));
}

ServiceReply NewsRoutes::saveArticle(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in)
{
    ServiceDatabase& db = m_context.db();
    const QString companyId = request.session.companyId;
    NewsData::Article article;
    article.id = in.optionalInteger(QStringLiteral("id"), noun(kind) + QStringLiteral("编号"), 0, 0, LLONG_MAX);
    article.title = in.text(QStringLiteral("title"), QStringLiteral("标题"), 100).trimmed();
    article.categoryId = in.optionalInteger(QStringLiteral("cate_id"), QStringLiteral("类目"), 0, 0, LLONG_MAX);
    article.comeFrom = in.optionalText(QStringLiteral("come_from"), QString(), 50).trimmed();
    article.img = readAddress(in, QStringLiteral("img"), QStringLiteral("封面图片的地址无效"));
    article.content = in.text(QStringLiteral("content"), QStringLiteral("内容"), 20000);
    if (in.ok() && article.categoryId > 0 && !NewsData::hasCategory(db, companyId, kind, article.categoryId))
        in.fail(QStringLiteral("该类目不存在或已被删除"));
    if (!in.ok())
        return Envelope::refused(in.message());
    if (article.id == 0)
        return added(NewsData::addArticle(db, companyId, request.session.cityId, kind, article),
                     QStringLiteral("添加成功"));
    return answer(NewsData::updateArticle(db, companyId, kind, article), QJsonObject{{QStringLiteral("id"), article.id}},
                  QStringLiteral("保存成功"), QStringLiteral("该%1不存在或已被删除").arg(noun(kind)));
}

ServiceReply NewsRoutes::saveCategory(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in)
{
    NewsData::Category category;
    category.id = in.optionalInteger(QStringLiteral("id"), QStringLiteral("类目编号"), 0, 0, LLONG_MAX);
    category.name = in.text(QStringLiteral("name"), QStringLiteral("类目名称"), 20).trimmed();
    category.sort = in.optionalInteger(QStringLiteral("sort"), QStringLiteral("排序值"), 0, INT_MIN, INT_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    if (category.id == 0)
        return added(NewsData::addCategory(db, request.session.companyId, kind, category), QStringLiteral("添加成功"));
    return answer(NewsData::updateCategory(db, request.session.companyId, kind, category),
                  QJsonObject{{QStringLiteral("id"), category.id}}, QStringLiteral("保存成功"),
                  QStringLiteral("该类目不存在或已被删除"));
}

ServiceReply NewsRoutes::removeCategory(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in)
{
    return removeById(
        in, QStringLiteral("类目编号"),
        [&](qint64 id) { return NewsData::removeCategory(m_context.db(), request.session.companyId, kind, id); },
        QStringLiteral("该类目不存在或已被删除"));
}

ServiceReply NewsRoutes::addPicture(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in)
{
    NewsData::Picture picture;
    picture.img = readAddress(in, QStringLiteral("img"), QStringLiteral("图片的地址无效"));
    if (in.ok() && picture.img.isEmpty())
        in.fail(QStringLiteral("请选择图片"));
    picture.link = readAddress(in, QStringLiteral("link"), QStringLiteral("链接地址无效"));
    picture.sort = in.optionalInteger(QStringLiteral("sort"), QStringLiteral("排序值"), 0, INT_MIN, INT_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    return added(NewsData::addPicture(m_context.db(), request.session.companyId, kind, picture),
                 QStringLiteral("添加成功"));
}

ServiceReply NewsRoutes::removePicture(const ServiceRequest& request, NewsData::Kind kind, ParamReader& in)
{
    return removeById(
        in, QStringLiteral("图片编号"),
        [&](qint64 id) { return NewsData::removePicture(m_context.db(), request.session.companyId, kind, id); },
        QStringLiteral("该图片不存在或已被删除"));
}

QJsonObject NewsRoutes::rowJson(const NewsData::Article& article)
{
    return {{QStringLiteral("id"), article.id},
            {QStringLiteral("title"), article.title},
            {QStringLiteral("img"), article.img},
            {QStringLiteral("cate_alias"), article.category},
            {QStringLiteral("come_from"), article.comeFrom},
            {QStringLiteral("hits"), article.hits},
            {QStringLiteral("create_time"), article.createTime}};
}
