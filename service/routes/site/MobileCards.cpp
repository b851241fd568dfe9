#include "routes/site/MobileCards.h"

#include "routes/common/JsonText.h"
#include "routes/site/MobilePage.h"
#include "storage/site/PublicSiteData.h"

#include <QJsonArray>

namespace {

QString value(const QVariantMap& row, const char* key)
{
    return row.value(QString::fromLatin1(key)).toString();
}

// "3室2厅2卫 · 128.5㎡ · 中海城南一号", leaving out what is missing.
QString houseLine(const QVariantMap& row)
{
    QStringList parts;
    if (!value(row, "hutype").isEmpty())
        parts << value(row, "hutype");
    const double size = row.value(QStringLiteral("builtuparea")).toDouble();
    if (size > 0)
        parts << QString::number(size) + QStringLiteral("㎡");
    if (!value(row, "village").isEmpty())
        parts << value(row, "village");
    return parts.join(QStringLiteral(" · "));
}

} // namespace

QString MobileCards::housePrice(const QVariantMap& row)
{
    const QString price = value(row, "price");
    if (price.isEmpty())
        return QStringLiteral("价格面议");
    return row.value(QStringLiteral("kind")).toInt() == PublicSiteData::Rent ? price + QStringLiteral("元/月")
                                                                             : price + QStringLiteral("万");
}

QStringList MobileCards::housePhotos(const QVariantMap& row)
{
    QStringList photos;
    if (!value(row, "picture").isEmpty())
        photos << value(row, "picture");
    for (const QString& photo : value(row, "photo").split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!photos.contains(photo.trimmed()))
            photos << photo.trimmed();
    }
    return photos;
}

QStringList MobileCards::tags(const QString& json)
{
    QStringList list;
    for (const QJsonValue& tag : JsonText::parse(json).array()) {
        if (tag.isString() && !tag.toString().trimmed().isEmpty())
            list << tag.toString().trimmed();
    }
    return list;
}

QString MobileCards::chips(const QStringList& texts)
{
    if (texts.isEmpty())
        return QString();
    QString html = QStringLiteral("<span class=\"chips\">");
    for (const QString& text : texts)
        html += QStringLiteral("<em>%1</em>").arg(MobilePage::text(text));
    return html + QStringLiteral("</span>");
}

QString MobileCards::house(const MobilePage& page, const QVariantMap& row)
{
    const bool recommended = row.value(QStringLiteral("tuijian")).toInt() != 0;
    const QString inner =
        MobilePage::picture(housePhotos(row).value(0), QStringLiteral("thumb"), value(row, "title"))
        + QStringLiteral("<div class=\"info\"><h3>%1%2</h3><p>%3</p>%4<p class=\"price\">%5</p></div>")
              .arg(recommended ? QStringLiteral("<b class=\"badge\">荐</b>") : QString(),
                   MobilePage::text(value(row, "title")), MobilePage::text(houseLine(row)),
                   chips(tags(value(row, "tags"))), MobilePage::text(housePrice(row)));
    return page.link(QStringLiteral("house/") + value(row, "id"), inner, QStringLiteral("card"));
}

QString MobileCards::project(const MobilePage& page, const QVariantMap& row)
{
    const qint64 average = row.value(QStringLiteral("junjia")).toLongLong();
    QStringList line;
    for (const char* key : {"district", "area"}) {
        if (!value(row, key).isEmpty())
            line << value(row, key);
    }
    QStringList labels;
    for (const char* key : {"zhuangtai", "leixing"}) {
        if (!value(row, key).isEmpty())
            labels << value(row, key);
    }
    const QString inner =
        MobilePage::picture(value(row, "thumbnail"), QStringLiteral("thumb"), value(row, "name"))
        + QStringLiteral("<div class=\"info\"><h3>%1</h3><p>%2</p>%3<p class=\"price\">%4</p></div>")
              .arg(MobilePage::text(value(row, "name")), MobilePage::text(line.join(QStringLiteral(" · "))),
                   chips(labels),
                   MobilePage::text(average > 0 ? QStringLiteral("均价%1元/㎡").arg(average)
                                                : QStringLiteral("价格待定")));
    return page.link(QStringLiteral("newhouse/") + value(row, "id"), inner, QStringLiteral("card"));
}

QString MobileCards::loan(const MobilePage& page, const QVariantMap& row)
{
    const QString facts = QStringLiteral("月利率%1% · 最长%2期 · 最高%3万")
                              .arg(value(row, "month_lixi"), value(row, "months"),
                                   QString::number(row.value(QStringLiteral("maxedu")).toDouble()));
    const QString inner =
        MobilePage::picture(value(row, "photo"), QStringLiteral("thumb"), value(row, "title"))
        + QStringLiteral("<div class=\"info\"><h3>%1</h3><p>%2</p><p class=\"price\">%3</p></div>")
              .arg(MobilePage::text(value(row, "title")), MobilePage::text(value(row, "des")), MobilePage::text(facts));
    return page.link(QStringLiteral("loan/") + value(row, "id"), inner, QStringLiteral("card"));
}

QString MobileCards::article(const MobilePage& page, const QString& kindPath, qint64 id, const QString& title,
                             const QString& picture, const QString& line)
{
    const QString inner = MobilePage::picture(picture, QStringLiteral("thumb"), title)
        + QStringLiteral("<div class=\"info\"><h3>%1</h3><p>%2</p></div>")
              .arg(MobilePage::text(title), MobilePage::text(line));
    return page.link(kindPath + QLatin1Char('/') + QString::number(id), inner, QStringLiteral("card"));
}

QString MobileCards::topic(const MobilePage& page, qint64 id, const QString& title, const QString& subtitle,
                           const QString& picture)
{
    const QString inner = MobilePage::picture(picture, QStringLiteral("icon"), title)
        + QStringLiteral("<div class=\"info\"><h3>%1</h3><p>%2</p></div>")
              .arg(MobilePage::text(title), MobilePage::text(subtitle));
    return page.link(QStringLiteral("topic/") + QString::number(id), inner, QStringLiteral("card topic"));
}

QString MobileCards::list(const QStringList& cards, const QString& empty)
{
    if (cards.isEmpty())
        return QStringLiteral("<p class=\"empty\">%1</p>").arg(MobilePage::text(empty));
    return QStringLiteral("<div class=\"cards\">%1</div>").arg(cards.join(QString()));
}
