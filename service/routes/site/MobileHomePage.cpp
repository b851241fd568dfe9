#include "routes/site/MobileHomePage.h"

#include "routes/common/JsonText.h"
#include "routes/site/MobileCards.h"
#include "routes/site/MobilePage.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/site/PublicSiteData.h"

#include <QJsonObject>
#include <QUrl>

namespace {

const int kGuessPerKind = 4;
const int kTopicsShown = 4;

// "猜你喜欢" categories, as the basic settings number them.
enum Guess { GuessSale = 1, GuessNew = 2, GuessRent = 3, GuessLoans = 4 };

// Where each system app leads; the others have a page of their own under "app/".
struct SystemApp
{
    int itemId;
    const char* path;
};

const SystemApp kSystemApps[] = {
    {1, "newhouses"}, {2, "houses/sale"}, {3, "houses/rent"}, {9, "profile"},
    {10, "jobs"},     {15, "loans"},      {23, "news"},       {25, "baike"},
};

QString advertPath(const QVariantMap& advert)
{
    const qint64 itemId = advert.value(QStringLiteral("itemid")).toLongLong();
    const QString id = QString::number(itemId);
    switch (advert.value(QStringLiteral("type")).toInt()) {
    case 1:
        return itemId ? QStringLiteral("newhouse/") + id : QStringLiteral("newhouses");
    case 2:
        return itemId ? QStringLiteral("house/") + id : QStringLiteral("houses/sale");
    case 3:
        return itemId ? QStringLiteral("house/") + id : QStringLiteral("houses/rent");
    case 4:
        return itemId ? QStringLiteral("job/") + id : QStringLiteral("jobs");
    case 5:
        return QStringLiteral("profile");
    default:
        return QString();
    }
}

QString carousel(const MobilePage& page, const QList<QVariantMap>& adverts)
{
    if (adverts.isEmpty())
        return QString();
    QString slides;
    for (const QVariantMap& advert : adverts) {
        const QString title = advert.value(QStringLiteral("title")).toString();
        const QString inner = MobilePage::picture(advert.value(QStringLiteral("photo")).toString(),
                                                  QStringLiteral("slide-picture"), title)
            + (title.isEmpty() ? QString() : QStringLiteral("<span>%1</span>").arg(MobilePage::text(title)));
        const QString path = advertPath(advert);
        // An advert whose house or project is no longer shown stays, without its link.
        const bool live = advert.value(QStringLiteral("live")).toInt() > 0;
        slides += !path.isEmpty() && live ? page.link(path, inner, QStringLiteral("slide"))
                                          : QStringLiteral("<div class=\"slide\">%1</div>").arg(inner);
    }
    return QStringLiteral("<div class=\"carousel\">%1</div>").arg(slides);
}

QString topIconsRow(const MobilePage& page, const QJsonArray& icons)
{
    QString html;
    for (const QJsonValue& value : icons) {
        const QJsonObject icon = value.toObject();
        const QString houseType = icon.value(QStringLiteral("housetype")).toString();
        const QString district = icon.value(QStringLiteral("districts")).toString();
        const QString label = district.isEmpty() ? houseType : district + houseType;
        const QString inner =
            MobilePage::picture(icon.value(QStringLiteral("url")).toString(), QStringLiteral("topicon"), label)
            + QStringLiteral("<span>%1</span>").arg(MobilePage::text(label));
        html += page.link(MobileHomePage::searchPath(houseType, district), inner);
    }
    return html.isEmpty() ? QString() : QStringLiteral("<div class=\"topicons\">%1</div>").arg(html);
}

QString searchBox(const MobilePage& page)
{
    const int style = page.look().bsearch == 2 ? 2 : 1;
    return QStringLiteral("<form class=\"search search-style-%1\" action=\"%2\" method=\"get\">"
                          "<input type=\"search\" name=\"key\" maxlength=\"50\" placeholder=\"搜索小区、房源\">"
                          "<button type=\"submit\">搜索</button></form>")
        .arg(style)
        .arg(page.href(QStringLiteral("houses/sale")));
}

QString appGrid(const MobilePage& page, const QList<QVariantMap>& apps)
{
    const int menutype = page.look().menutype >= 1 && page.look().menutype <= 4 ? page.look().menutype : 1;
    // "1行4个" and "2行8个" put four in a row, the others five.
    const int perRow = menutype % 2 == 1 ? 4 : 5;
    QString html;
    for (const QVariantMap& app : apps) {
        const QString title = app.value(QStringLiteral("title")).toString();
        const QString photo = app.value(QStringLiteral("photo")).toString();
        // A built-in icon: the app's first character on the theme colour.
        const QString icon = photo.isEmpty()
            ? QStringLiteral("<b class=\"glyph\">%1</b>").arg(MobilePage::text(title.left(1)))
            : MobilePage::picture(photo, QStringLiteral("appicon"), title);
        html += page.link(MobileHomePage::appPath(app),
                          icon + QStringLiteral("<span>%1</span>").arg(MobilePage::text(title)));
    }
    return QStringLiteral("<nav class=\"apps per-row-%1\" data-per-row=\"%1\">%2</nav>").arg(perRow).arg(html);
}

QString guessYouLike(ServiceDatabase& db, const MobilePage& page, const QString& order)
{
    QList<int> chosen;
    for (const QJsonValue& value : JsonText::parse(order).array()) {
        const QJsonObject item = value.toObject();
        if (item.value(QStringLiteral("choose")).toBool())
            chosen << item.value(QStringLiteral("id")).toInt();
    }
    QList<QVariantMap> houses;
    if (chosen.contains(GuessSale) || chosen.contains(GuessRent))
        houses = PublicSiteData::recommendedHouses(db, page.companyId(), kGuessPerKind);
    QString html;
    for (int kind : chosen) {
        QStringList cards;
        QString heading;
        QString more;
        if (kind == GuessSale || kind == GuessRent) {
            const int houseKind = kind == GuessSale ? PublicSiteData::Sale : PublicSiteData::Rent;
            for (const QVariantMap& house : houses) {
                if (house.value(QStringLiteral("kind")).toInt() == houseKind)
                    cards << MobileCards::house(page, house);
            }
            heading = kind == GuessSale ? QStringLiteral("二手房") : QStringLiteral("租房");
            more = kind == GuessSale ? QStringLiteral("houses/sale") : QStringLiteral("houses/rent");
        } else if (kind == GuessNew) {
            for (const QVariantMap& project : PublicSiteData::recommendedProjects(db, page.companyId(), kGuessPerKind))
                cards << MobileCards::project(page, project);
            heading = QStringLiteral("新房");
            more = QStringLiteral("newhouses");
        } else if (kind == GuessLoans) {
            for (const QVariantMap& loan : PublicSiteData::loans(db, page.companyId(), kGuessPerKind))
                cards << MobileCards::loan(page, loan);
            heading = QStringLiteral("金融");
            more = QStringLiteral("loans");
        }
        if (!cards.isEmpty())
            html += QStringLiteral("<h3 class=\"kind\">%1%2</h3>%3")
                        .arg(MobilePage::text(heading), page.link(more, QStringLiteral("更多 ›"), QStringLiteral("more")),
                             MobileCards::list(cards, QString()));
    }
    return page.section(QStringLiteral("猜你喜欢"),
                        html.isEmpty() ? QStringLiteral("<p class=\"empty\">暂无推荐</p>") : html);
}

} // namespace

QString MobileHomePage::appPath(const QVariantMap& app)
{
    const int itemId = app.value(QStringLiteral("itemid")).toInt();
    if (app.value(QStringLiteral("type")).toInt() == 0) {
        for (const SystemApp& known : kSystemApps) {
            if (known.itemId == itemId)
                return QString::fromLatin1(known.path);
        }
    }
    return QStringLiteral("app/%1").arg(itemId);
}

QString MobileHomePage::searchPath(const QString& houseType, const QString& district)
{
    QString path = houseType == QStringLiteral("租房")   ? QStringLiteral("houses/rent")
                 : houseType == QStringLiteral("新房") ? QStringLiteral("newhouses")
                                                        : QStringLiteral("houses/sale");
    if (!district.isEmpty())
        path += QStringLiteral("?district=") + QString::fromLatin1(QUrl::toPercentEncoding(district));
    return path;
}

ServiceReply MobileHomePage::render(ServiceDatabase& db, const MobilePage& page, const QJsonObject& settings,
                                    const QJsonArray& topIcons)
{
    const QString& companyId = page.companyId();
    const QList<QVariantMap> adverts = PublicSiteData::adverts(db, companyId);
    const QList<QVariantMap> apps = PublicSiteData::apps(db, companyId);
    QStringList topicCards;
    for (const QVariantMap& topic : PublicSiteData::topics(db, companyId, kTopicsShown))
        topicCards << MobileCards::topic(page, topic.value(QStringLiteral("id")).toLongLong(),
                                         topic.value(QStringLiteral("title")).toString(),
                                         topic.value(QStringLiteral("title_one")).toString(),
                                         topic.value(QStringLiteral("img")).toString());

    QString body = QStringLiteral("<header class=\"brand\"><h1>%1</h1></header>").arg(MobilePage::text(page.companyName()));
    body += searchBox(page) + carousel(page, adverts) + topIconsRow(page, topIcons) + appGrid(page, apps);
    if (!topicCards.isEmpty())
        body += page.section(QStringLiteral("专题"), MobileCards::list(topicCards, QString()), QStringLiteral("topics"));
    body += guessYouLike(db, page, settings.value(QStringLiteral("caishow")).toString());
    return page.reply(page.companyName(), body);
}
