#include "content/ads/MicroWebSite_ScrollAds_Model.h"

#include "listings/common/ListingJson.h"

#include <QJsonArray>

MicroWebSite_ScrollAds_Model::MicroWebSite_ScrollAds_Model(const QJsonValue& value, int limit, QObject* parent)
    : QObject(parent)
{
    if (!value.isArray())
        return;
    for (const QJsonObject& object : JsonRows::objects(value.toArray(), limit))
        m_list.append(fromJson(object));
}

MicroWebSite_ScrollAds_Model::AdData MicroWebSite_ScrollAds_Model::fromJson(const QJsonObject& object)
{
    AdData ad;
    ad.id = ListingJson::toInt(object, QStringLiteral("id"));
    ad.title = ListingJson::toText(object, QStringLiteral("title"));
    ad.photo = ListingJson::toText(object, QStringLiteral("photo"));
    ad.type = ListingJson::toInt(object, QStringLiteral("type"));
    ad.itemid = ListingJson::toInt(object, QStringLiteral("itemid"));
    return ad;
}

QStringList MicroWebSite_ScrollAds_Model::typeChoices()
{
    return {QStringLiteral("无链接"), QStringLiteral("新房"), QStringLiteral("二手房"), QStringLiteral("租房"),
            QStringLiteral("招聘"), QStringLiteral("公司介绍")};
}

QString MicroWebSite_ScrollAds_Model::listPageLabel(int type)
{
    switch (type) {
    case NewHouse:
        return QStringLiteral("<新房列表页>");
    case SaleHouse:
        return QStringLiteral("<二手房列表页>");
    case RentHouse:
        return QStringLiteral("<租房列表页>");
    case Job:
        return QStringLiteral("<招聘列表页>");
    default:
        return QString();
    }
}

QString MicroWebSite_ScrollAds_Model::rowText(const AdData& ad)
{
    switch (ad.type) {
    case NewHouse:
    case SaleHouse:
    case RentHouse:
    case Job:
        return QStringLiteral("链接：%1-%2").arg(typeChoices().at(ad.type), ad.title);
    case CompanyProfile:
        return QStringLiteral("链接：公司介绍");
    default:
        return QStringLiteral("无链接");
    }
}
