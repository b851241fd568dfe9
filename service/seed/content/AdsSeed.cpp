#include "seed/content/AdsSeed.h"

#include "app/ServiceContext.h"
#include "storage/content/AdsData.h"
#include "storage/core/ServiceDatabase.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace {

const int kLinkTypes = 6;
const int kPerType = 5;

struct Link
{
    qint64 itemid;
    QString title;
};

// A banner of the suggested 1080 x 450: a sky, a row of towers and a band in the type's colour.
QString drawBanner(ServiceContext& context, const QColor& colour, int variant)
{
    QImage image(1080, 450, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 450);
    sky.setColorAt(0, colour.lighter(170));
    sky.setColorAt(1, Qt::white);
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const int height = 120 + (i * 53 + variant * 31) % 180;
        painter.setBrush(i % 2 ? colour : colour.darker(130));
        painter.drawRect(60 + i * 140, 360 - height, 100, height);
    }
    painter.setBrush(colour.darker(160));
    painter.drawRect(0, 360, 1080, 90);
    painter.end();
    const QString name = context.saveImage(image, "JPG", 85);
    return name.isEmpty() ? QString() : context.fileUrl(name);
}

// The list page of a type, then the company's first items of its kind.
QList<Link> links(ServiceDatabase& db, const QString& companyId, int type)
{
    QString listPage;
    QString sql;
    QVariantList values{companyId};
    switch (type) {
    case AdsData::NewHouse:
        listPage = QStringLiteral("<新房列表页>");
        sql = QStringLiteral("SELECT id, name AS title FROM newhouse_projects WHERE company_id = ? AND wstore = 1"
                             " ORDER BY istop DESC, sort, id");
        break;
    case AdsData::SaleHouse:
    case AdsData::RentHouse:
        listPage =
            type == AdsData::SaleHouse ? QStringLiteral("<二手房列表页>") : QStringLiteral("<租房列表页>");
        sql = QStringLiteral("SELECT id, title FROM site_houses WHERE company_id = ? AND putup = 1 AND kind = ?"
                             " ORDER BY id");
        values.append(type == AdsData::SaleHouse ? 0 : 1);
        break;
    case AdsData::Job:
        listPage = QStringLiteral("<招聘列表页>");
        sql = QStringLiteral("SELECT id, title FROM job_postings WHERE company_id = ? ORDER BY id");
        break;
    default:
        return {Link{0, QString()}};
    }
    QList<Link> list{Link{0, listPage}};
    for (const QVariantMap& row : db.select(sql, values))
        list.append(Link{row.value(QStringLiteral("id")).toLongLong(), row.value(QStringLiteral("title")).toString()});
    return list;
}

bool addAdvert(ServiceDatabase& db, const QString& companyId, int type, const Link& link, const QString& photo)
{
    AdsData::Advert advert;
    advert.type = type;
    advert.itemid = link.itemid;
    advert.title = link.title;
    advert.photo = photo;
    return AdsData::add(db, companyId, advert) != 0;
}

} // namespace

bool AdsSeed::seed(ServiceContext& context)
{
    const QColor colours[kLinkTypes] = {QColor(30, 110, 200), QColor(230, 120, 40), QColor(40, 160, 110),
                                        QColor(130, 90, 190), QColor(200, 70, 90),  QColor(70, 150, 200)};
    QStringList banners;
    for (int type = 0; type < kLinkTypes; ++type)
        banners.append(drawBanner(context, colours[type], type));
    if (banners.contains(QString()))
        return false;

    ServiceDatabase& db = context.db();
    const QString chengdu = QStringLiteral("10001");
    QList<QList<Link>> byType;
    for (int type = 0; type < kLinkTypes; ++type)
        byType.append(links(db, chengdu, type));
    for (int n = 0; n < kLinkTypes * kPerType; ++n) {
        const int type = n % kLinkTypes;
        const QList<Link>& choices = byType.at(type);
        const Link link = choices.value(n / kLinkTypes, choices.first());
        if (!addAdvert(db, chengdu, type, link, banners.at(type)))
            return false;
    }

    const QString chongqing = QStringLiteral("20002");
    const QList<Link> sales = links(db, chongqing, AdsData::SaleHouse);
    return addAdvert(db, chongqing, AdsData::NoLink, Link{0, QString()}, banners.at(AdsData::NoLink))
        && addAdvert(db, chongqing, AdsData::SaleHouse, sales.value(1, sales.first()), banners.at(AdsData::SaleHouse))
        && addAdvert(db, chongqing, AdsData::CompanyProfile, Link{0, QString()}, banners.at(AdsData::CompanyProfile));
}
