#include "routes/site/MobileContentPages.h"

#include "http/ParamReader.h"
#include "http/ServiceParams.h"
#include "routes/common/JsonText.h"
#include "routes/site/MobileCards.h"
#include "routes/site/MobileHomePage.h"
#include "routes/site/MobilePage.h"
#include "storage/content/ContentData.h"
#include "storage/content/TopicData.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/site/PublicSiteData.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace {

const qint64 kMaxPage = 100000;
const int kHouseSearch = 2;
const int kSearchShown = 10;

// A total for the pager when only the rows of this page are known.
qint64 seenTotal(qint64 pageIndex, qint64 pageSize, int rows)
{
    return (pageIndex - 1) * pageSize + rows + (rows == pageSize ? 1 : 0);
}

QString contactLine(const ContentData::Profile& profile)
{
    QString html;
    if (!profile.tel.trimmed().isEmpty())
        html += QStringLiteral("<p class=\"contact\">电话：<a class=\"call\" href=\"tel:%1\">%1</a></p>")
                    .arg(MobilePage::text(profile.tel.trimmed()));
    if (!profile.address.trimmed().isEmpty())
        html += QStringLiteral("<p class=\"contact\">地址：%1</p>").arg(MobilePage::text(profile.address.trimmed()));
    return html;
}

QString picturesMode(const QJsonArray& pictures, const QString& title)
{
    QList<QJsonObject> sorted;
    for (const QJsonValue& picture : pictures)
        sorted << picture.toObject();
    std::stable_sort(sorted.begin(), sorted.end(), [](const QJsonObject& a, const QJsonObject& b) {
        return a.value(QStringLiteral("sort")).toInt() < b.value(QStringLiteral("sort")).toInt();
    });
    QString html;
    for (const QJsonObject& picture : sorted)
        html += MobilePage::picture(picture.value(QStringLiteral("photo")).toString(), QStringLiteral("wide"), title);
    return QStringLiteral("<div class=\"pictures\">%1</div>").arg(html);
}

QString housesMode(ServiceDatabase& db, const MobilePage& page, const QJsonObject& search)
{
    const QString houseType = search.value(QStringLiteral("housetype")).toString();
    const QString district = search.value(QStringLiteral("districts")).toString();
    const QString conditions = district.isEmpty() ? QString() : QStringLiteral(" AND b.district = ?");
    const QVariantList values = district.isEmpty() ? QVariantList() : QVariantList{district};
    qint64 total = 0;
    QStringList cards;
    if (houseType == QStringLiteral("新房")) {
        for (const QVariantMap& row : PublicSiteData::projects(
                 db, page.companyId(), district.isEmpty() ? QString() : QStringLiteral(" AND district = ?"), values,
                 1, kSearchShown, &total))
            cards << MobileCards::project(page, row);
    } else {
        const int kind = houseType == QStringLiteral("租房") ? PublicSiteData::Rent : PublicSiteData::Sale;
        for (const QVariantMap& row :
             PublicSiteData::houses(db, page.companyId(), kind, conditions, values, 1, kSearchShown, &total))
            cards << MobileCards::house(page, row);
    }
    const QString label = district + houseType;
    return QStringLiteral("<p class=\"count\">%1，共%2套</p>").arg(MobilePage::text(label)).arg(total)
        + MobileCards::list(cards, QStringLiteral("暂无房源"))
        + (total > kSearchShown ? QStringLiteral("<p class=\"more-line\">%1</p>")
                                      .arg(page.link(MobileHomePage::searchPath(houseType, district),
                                                     QStringLiteral("查看全部 ›")))
                                : QString());
}

} // namespace

QString MobileContentPages::kindPath(NewsData::Kind kind)
{
    return kind == NewsData::Kind::News ? QStringLiteral("news") : QStringLiteral("baike");
}

ServiceReply MobileContentPages::articles(ServiceDatabase& db, const MobilePage& page, NewsData::Kind kind,
                                          const ServiceParams& params)
{
    ParamReader in(params);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("page"), QStringLiteral("页码"), 1, 1, kMaxPage);
    if (!in.ok())
        return page.refused(400, in.message());
    const QList<NewsData::Article> list = NewsData::articles(db, page.companyId(), kind, QString(), {}, pageIndex, kPageSize);
    QStringList cards;
    for (const NewsData::Article& article : list) {
        const QString line = (article.category.isEmpty() ? QString() : article.category + QStringLiteral(" · "))
            + article.createTime.left(10);
        cards << MobileCards::article(page, kindPath(kind), article.id, article.title, article.img, line);
    }
    const QString title = kind == NewsData::Kind::News ? QStringLiteral("资讯") : QStringLiteral("百科");
    return page.reply(title, MobileCards::list(cards, QStringLiteral("暂无内容"))
                                 + page.pager(kindPath(kind), pageIndex, kPageSize,
                                              seenTotal(pageIndex, kPageSize, list.size())));
}

ServiceReply MobileContentPages::article(ServiceDatabase& db, const MobilePage& page, NewsData::Kind kind, qint64 id)
{
    const NewsData::Article article = NewsData::article(db, page.companyId(), kind, id);
    const QString title = kind == NewsData::Kind::News ? QStringLiteral("资讯") : QStringLiteral("百科");
    if (article.id == 0)
        return page.missing(title);
    QStringList line;
    if (!article.comeFrom.trimmed().isEmpty())
        line << QStringLiteral("来源：") + article.comeFrom.trimmed();
    line << article.createTime;
    QString body = QStringLiteral("<article class=\"block\"><h2 class=\"title\">%1</h2><p class=\"meta\">%2</p>")
                       .arg(MobilePage::text(article.title), MobilePage::text(line.join(QStringLiteral("  "))));
    if (!article.img.isEmpty())
        body += MobilePage::picture(article.img, QStringLiteral("wide"), article.title);
    body += MobilePage::paragraphs(article.content) + QStringLiteral("</article>");
    return page.reply(title, body);
}

ServiceReply MobileContentPages::topics(ServiceDatabase& db, const MobilePage& page, const ServiceParams& params)
{
    ParamReader in(params);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("page"), QStringLiteral("页码"), 1, 1, kMaxPage);
    if (!in.ok())
        return page.refused(400, in.message());
    const QList<TopicData::Topic> list = TopicData::topics(db, page.companyId(), QString(), {}, pageIndex, kPageSize);
    QStringList cards;
    for (const TopicData::Topic& topic : list)
        cards << MobileCards::topic(page, topic.id, topic.title, topic.titleOne, topic.img);
    return page.reply(QStringLiteral("专题"), MobileCards::list(cards, QStringLiteral("暂无专题"))
                                                + page.pager(QStringLiteral("topics"), pageIndex, kPageSize,
                                                             seenTotal(pageIndex, kPageSize, list.size())));
}

ServiceReply MobileContentPages::topic(ServiceDatabase& db, const MobilePage& page, qint64 id)
{
    const TopicData::Topic topic = TopicData::topic(db, page.companyId(), id);
    if (topic.id == 0)
        return page.missing(QStringLiteral("专题"));
    QList<qint64> ids;
    for (const QJsonValue& house : JsonText::parse(topic.houseid).array()) {
        const qint64 houseId = house.toObject().value(QStringLiteral("id")).toVariant().toLongLong();
        if (houseId > 0 && !ids.contains(houseId))
            ids << houseId;
    }
    QHash<qint64, QVariantMap> shown;
    for (const QVariantMap& row : PublicSiteData::housesAmong(db, page.companyId(), ids))
        shown.insert(row.value(QStringLiteral("id")).toLongLong(), row);
    QStringList cards;
    for (qint64 houseId : ids) {
        if (shown.contains(houseId))
            cards << MobileCards::house(page, shown.value(houseId));
    }
    QString body = QStringLiteral("<section class=\"block banner\">%1<h2 class=\"title\">%2</h2><p>%3</p></section>")
                       .arg(MobilePage::picture(topic.img, QStringLiteral("icon"), topic.title),
                            MobilePage::text(topic.title), MobilePage::text(topic.titleOne));
    body += MobileCards::list(cards, QStringLiteral("暂无房源"));
    return page.reply(topic.title, body);
}

ServiceReply MobileContentPages::profile(ServiceDatabase& db, const MobilePage& page)
{
    const ContentData::Profile profile = ContentData::profile(db, page.companyId());
    QString photos;
    for (const QString& photo : profile.photos)
        photos += MobilePage::picture(photo, QStringLiteral("photo"), page.companyName());
    QString body = photos.isEmpty() ? QString() : QStringLiteral("<div class=\"gallery\">%1</div>").arg(photos);
    body += QStringLiteral("<section class=\"block\"><h2 class=\"title\">%1</h2>%2%3</section>")
                .arg(MobilePage::text(page.companyName()),
                     profile.content.trimmed().isEmpty() ? QStringLiteral("<p class=\"empty\">暂无公司介绍</p>")
                                                         : MobilePage::paragraphs(profile.content),
                     contactLine(profile));
    return page.reply(QStringLiteral("公司介绍"), body);
}

ServiceReply MobileContentPages::jobs(ServiceDatabase& db, const MobilePage& page)
{
    qint64 total = 0;
    QStringList cards;
    for (const ContentData::Job& job : ContentData::jobs(db, page.companyId(), QString(), {}, 1, 0, &total)) {
        const QString inner = QStringLiteral("<div class=\"info\"><h3>%1</h3><p class=\"price\">%2</p><p>%3</p>%4</div>")
                                  .arg(MobilePage::text(job.title), MobilePage::text(job.xinzi),
                                       MobilePage::text(QStringList({job.xueli, job.jingyan, job.address})
                                                            .filter(QRegularExpression(QStringLiteral("\\S")))
                                                            .join(QStringLiteral(" · "))),
                                       MobileCards::chips(job.tags));
        cards << page.link(QStringLiteral("job/%1").arg(job.id), inner, QStringLiteral("card job"));
    }
    return page.reply(QStringLiteral("加入我们"), MobileCards::list(cards, QStringLiteral("暂无招聘")));
}

ServiceReply MobileContentPages::job(ServiceDatabase& db, const MobilePage& page, qint64 id)
{
    qint64 total = 0;
    const QList<ContentData::Job> found =
        ContentData::jobs(db, page.companyId(), QStringLiteral(" AND id = ?"), {id}, 1, 1, &total);
    if (found.isEmpty())
        return page.missing(QStringLiteral("职位"));
    const ContentData::Job& job = found.first();
    QString body = QStringLiteral("<section class=\"block\"><h2 class=\"title\">%1</h2><p class=\"price big\">%2</p>%3</section>")
                       .arg(MobilePage::text(job.title), MobilePage::text(job.xinzi), MobileCards::chips(job.tags));
    QString facts;
    const QList<QPair<QString, QString>> rows = {{QStringLiteral("学历"), job.xueli},
                                                 {QStringLiteral("经验"), job.jingyan},
                                                 {QStringLiteral("地点"), job.address}};
    for (const auto& row : rows) {
        if (!row.second.trimmed().isEmpty())
            facts += QStringLiteral("<dt>%1</dt><dd>%2</dd>").arg(MobilePage::text(row.first), MobilePage::text(row.second));
    }
    if (!facts.isEmpty())
        body += page.section(QStringLiteral("职位信息"), QStringLiteral("<dl class=\"facts\">%1</dl>").arg(facts));
    body += page.section(QStringLiteral("职位描述"), MobilePage::paragraphs(job.content));
    if (!job.tel.trimmed().isEmpty())
        body += page.section(QStringLiteral("联系方式"),
                             QStringLiteral("<p class=\"contact\"><a class=\"call\" href=\"tel:%1\">%1</a></p>")
                                 .arg(MobilePage::text(job.tel.trimmed())));
    return page.reply(QStringLiteral("职位详情"), body);
}

ServiceReply MobileContentPages::app(ServiceDatabase& db, const MobilePage& page, qint64 itemId)
{
    const QVariantMap app = PublicSiteData::app(db, page.companyId(), itemId);
    if (app.isEmpty())
        return page.missing(QStringLiteral("应用"));
    const QString title = app.value(QStringLiteral("title")).toString();
    if (app.value(QStringLiteral("type")).toInt() == 0) {
        // The site's forms live in the mini-program; here the visitor is told whom to call.
        const ContentData::Profile profile = ContentData::profile(db, page.companyId());
        const QString contact = contactLine(profile);
        return page.reply(title, QStringLiteral("<section class=\"block\"><h2 class=\"title\">%1</h2>"
                                                "<p>请在小程序中使用本功能，或直接联系我们。</p>%2</section>")
                                     .arg(MobilePage::text(title), contact));
    }
    const QString content = app.value(QStringLiteral("content")).toString();
    const QJsonDocument document = JsonText::parse(content);
    QString body;
    if (document.isArray()) {
        body = picturesMode(document.array(), title);
    } else if (document.isObject()
               && document.object().value(QStringLiteral("type")).toInt() == kHouseSearch) {
        body = housesMode(db, page, document.object());
    } else {
        body = QStringLiteral("<section class=\"block\">%1</section>").arg(MobilePage::paragraphs(content));
    }
    return page.reply(title, body);
}
