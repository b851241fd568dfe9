#include "routes/site/MobileListingPages.h"

#include "http/ParamReader.h"
#include "http/ServiceParams.h"
#include "routes/common/PictureAddress.h"
#include "routes/site/MobileCards.h"
#include "routes/site/MobilePage.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/site/PublicSiteData.h"

#include <QList>
#include <QPair>

namespace {

const qint64 kMaxPage = 100000;
const int kMaxDistrictLength = 40;
// "moshi": 3 shows no contact.
const int kNoContact = 3;

QString value(const QVariantMap& row, const char* key)
{
    return row.value(QString::fromLatin1(key)).toString();
}

// "锦江区 东大街", leaving out what is missing.
QString place(const QVariantMap& row)
{
    return QString(value(row, "district") + QLatin1Char(' ') + value(row, "area")).trimmed();
}

// Rows of label and value, leaving out empty values.
QString facts(const QList<QPair<QString, QString>>& rows)
{
    QString html;
    for (const auto& row : rows) {
        if (!row.second.trimmed().isEmpty() && row.second != QLatin1String("0"))
            html += QStringLiteral("<dt>%1</dt><dd>%2</dd>").arg(MobilePage::text(row.first), MobilePage::text(row.second));
    }
    return html.isEmpty() ? QString() : QStringLiteral("<dl class=\"facts\">%1</dl>").arg(html);
}

// The photos that can be shown, side by side; nothing when there are none.
QString gallery(const QStringList& photos, const QString& alt)
{
    QString html;
    for (const QString& photo : photos) {
        if (PictureAddress::isValid(photo))
            html += MobilePage::picture(photo, QStringLiteral("photo"), alt);
    }
    return html.isEmpty() ? QString() : QStringLiteral("<div class=\"gallery\">%1</div>").arg(html);
}

} // namespace

ServiceReply MobileListingPages::houses(ServiceDatabase& db, const MobilePage& page, int kind, const ServiceParams& params)
{
    const QString title = kind == PublicSiteData::Rent ? QStringLiteral("租房") : QStringLiteral("二手房");
    const QString path = kind == PublicSiteData::Rent ? QStringLiteral("houses/rent") : QStringLiteral("houses/sale");
    ParamReader in(params);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("page"), QStringLiteral("页码"), 1, 1, kMaxPage);
    ListFilter filter(params, in);
    filter.text(QStringLiteral("district"), QStringLiteral("b.district = ?"), kMaxDistrictLength);
    filter.contains(QStringLiteral("key"), {QStringLiteral("h.title"), QStringLiteral("h.village")});
    if (!in.ok())
        return page.refused(400, in.message());
    qint64 total = 0;
    QStringList cards;
    for (const QVariantMap& row : PublicSiteData::houses(db, page.companyId(), kind, filter.conditions(),
                                                         filter.values(), pageIndex, kPageSize, &total))
        cards << MobileCards::house(page, row);
    const QString district = params.value(QStringLiteral("district")).trimmed();
    const QString key = params.value(QStringLiteral("key")).trimmed();
    QString heading = district.isEmpty() ? title : district + title;
    if (!key.isEmpty())
        heading += QStringLiteral("：“%1”").arg(key);
    const QString body = QStringLiteral("<p class=\"count\">%1，共%2套</p>").arg(MobilePage::text(heading)).arg(total)
        + MobileCards::list(cards, QStringLiteral("暂无房源"))
        + page.pager(path, pageIndex, kPageSize, total,
                     {{QStringLiteral("district"), district}, {QStringLiteral("key"), key}});
    return page.reply(title, body);
}

ServiceReply MobileListingPages::house(ServiceDatabase& db, const MobilePage& page, qint64 id,
                                       const QJsonObject& settings)
{
    const QVariantMap row = PublicSiteData::house(db, page.companyId(), id);
    if (row.isEmpty())
        return page.missing(QStringLiteral("房源"));
    const bool rent = row.value(QStringLiteral("kind")).toInt() == PublicSiteData::Rent;
    const qint64 floor = row.value(QStringLiteral("floors")).toLongLong();
    const qint64 floors = row.value(QStringLiteral("allfloors")).toLongLong();
    const double size = row.value(QStringLiteral("builtuparea")).toDouble();
    QString body = gallery(MobileCards::housePhotos(row), value(row, "title"));
    body += QStringLiteral("<section class=\"block\"><h2 class=\"title\">%1</h2><p class=\"price big\">%2%3</p>%4</section>")
                .arg(MobilePage::text(value(row, "title")), MobilePage::text(MobileCards::housePrice(row)),
                     rent || value(row, "unitprice").isEmpty() || value(row, "unitprice") == QLatin1String("0")
                         ? QString()
                         : QStringLiteral(" <small>单价%1元/㎡</small>").arg(MobilePage::text(value(row, "unitprice"))),
                     MobileCards::chips(MobileCards::tags(value(row, "tags"))));
    body += page.section(QStringLiteral("房源信息"),
                         facts({{QStringLiteral("小区"), value(row, "village")},
                                {QStringLiteral("户型"), value(row, "hutype")},
                                {QStringLiteral("面积"), size > 0 ? QString::number(size) + QStringLiteral("㎡") : QString()},
                                {QStringLiteral("楼层"), floor > 0 && floors > 0 ? QStringLiteral("%1/%2层").arg(floor).arg(floors)
                                                                                 : QString()},
                                {QStringLiteral("装修"), value(row, "renovation")},
                                {QStringLiteral("朝向"), value(row, "toward")},
                                {QStringLiteral("区域"), place(row)}})
                             + MobilePage::paragraphs(value(row, "info")));
    // The agent who published the house; an owner's number never reaches the site.
    if (settings.value(QStringLiteral("moshi")).toInt() != kNoContact && !value(row, "publisher_phone").isEmpty()) {
        body += page.section(QStringLiteral("联系经纪人"),
                             QStringLiteral("<p class=\"contact\">%1 <a class=\"call\" href=\"tel:%2\">%2</a></p>")
                                 .arg(MobilePage::text(value(row, "publisher_name")),
                                      MobilePage::text(value(row, "publisher_phone"))));
    }
    return page.reply(rent ? QStringLiteral("租房详情") : QStringLiteral("二手房详情"), body);
}

ServiceReply MobileListingPages::projects(ServiceDatabase& db, const MobilePage& page, const ServiceParams& params)
{
    ParamReader in(params);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("page"), QStringLiteral("页码"), 1, 1, kMaxPage);
    ListFilter filter(params, in);
    filter.text(QStringLiteral("district"), QStringLiteral("district = ?"), kMaxDistrictLength);
    filter.contains(QStringLiteral("key"), {QStringLiteral("name"), QStringLiteral("address")});
    if (!in.ok())
        return page.refused(400, in.message());
    qint64 total = 0;
    QStringList cards;
    for (const QVariantMap& row : PublicSiteData::projects(db, page.companyId(), filter.conditions(), filter.values(),
                                                           pageIndex, kPageSize, &total))
        cards << MobileCards::project(page, row);
    const QString district = params.value(QStringLiteral("district")).trimmed();
    const QString key = params.value(QStringLiteral("key")).trimmed();
    const QString body =
        QStringLiteral("<p class=\"count\">%1新房，共%2个楼盘</p>").arg(MobilePage::text(district)).arg(total)
        + MobileCards::list(cards, QStringLiteral("暂无楼盘"))
        + page.pager(QStringLiteral("newhouses"), pageIndex, kPageSize, total,
                     {{QStringLiteral("district"), district}, {QStringLiteral("key"), key}});
    return page.reply(QStringLiteral("新房"), body);
}

ServiceReply MobileListingPages::project(ServiceDatabase& db, const MobilePage& page, qint64 id)
{
    const QVariantMap row = PublicSiteData::project(db, page.companyId(), id);
    if (row.isEmpty())
        return page.missing(QStringLiteral("楼盘"));
    const qint64 average = row.value(QStringLiteral("junjia")).toLongLong();
    const QString tel = value(row, "telafter").isEmpty()
        ? value(row, "telbefore")
        : value(row, "telbefore") + QStringLiteral(" 转 ") + value(row, "telafter");
    QString body = gallery({value(row, "thumbnail")}, value(row, "name"));
    body += QStringLiteral("<section class=\"block\"><h2 class=\"title\">%1</h2><p class=\"price big\">%2</p>%3</section>")
                .arg(MobilePage::text(value(row, "name")),
                     MobilePage::text(average > 0 ? QStringLiteral("均价%1元/㎡").arg(average) : QStringLiteral("价格待定")),
                     MobileCards::chips({value(row, "zhuangtai"), value(row, "leixing")}));
    body += page.section(QStringLiteral("楼盘信息"),
                         facts({{QStringLiteral("区域"), place(row)},
                                {QStringLiteral("地址"), value(row, "address")},
                                {QStringLiteral("开发商"), value(row, "developer")},
                                {QStringLiteral("开盘"), value(row, "opening")},
                                {QStringLiteral("户型"), value(row, "layouts")},
                                {QStringLiteral("面积"), value(row, "areas")},
                                {QStringLiteral("售楼电话"), tel}})
                             + MobilePage::paragraphs(value(row, "dongtai")));
    return page.reply(QStringLiteral("楼盘详情"), body);
}

ServiceReply MobileListingPages::loans(ServiceDatabase& db, const MobilePage& page)
{
    QStringList cards;
    for (const QVariantMap& row : PublicSiteData::loans(db, page.companyId(), ServiceDatabase::kAllRows))
        cards << MobileCards::loan(page, row);
    return page.reply(QStringLiteral("金融"), MobileCards::list(cards, QStringLiteral("暂无金融产品")));
}

ServiceReply MobileListingPages::loan(ServiceDatabase& db, const MobilePage& page, qint64 id)
{
    const QVariantMap row = PublicSiteData::loan(db, page.companyId(), id);
    if (row.isEmpty())
        return page.missing(QStringLiteral("金融产品"));
    QString body = gallery({value(row, "photo")}, value(row, "title"));
    body += QStringLiteral("<section class=\"block\"><h2 class=\"title\">%1</h2><p>%2</p></section>")
                .arg(MobilePage::text(value(row, "title")), MobilePage::text(value(row, "des")));
    body += page.section(QStringLiteral("产品信息"),
                         facts({{QStringLiteral("月利率"), value(row, "month_lixi") + QLatin1Char('%')},
                                {QStringLiteral("最长期限"), value(row, "months") + QStringLiteral("期")},
                                {QStringLiteral("最高额度"),
                                 QString::number(row.value(QStringLiteral("maxedu")).toDouble()) + QStringLiteral("万")},
                                {QStringLiteral("抵押类型"), value(row, "dyleixing")},
                                {QStringLiteral("还款方式"), value(row, "changhuanway")}}));
    body += page.section(QStringLiteral("申请条件"), MobilePage::paragraphs(value(row, "conditions")));
    body += page.section(QStringLiteral("所需材料"), MobilePage::paragraphs(value(row, "materials")));
    return page.reply(QStringLiteral("金融产品"), body);
}
