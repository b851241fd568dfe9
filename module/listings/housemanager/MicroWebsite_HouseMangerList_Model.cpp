#include "listings/housemanager/MicroWebsite_HouseMangerList_Model.h"

#include "listings/common/ListingJson.h"

MicroWebsite_HouseMangerList_Model::MicroWebsite_HouseMangerList_Model(const QJsonValue& value, int limit, QObject* parent)
    : QObject(parent)
{
    total = ListingJson::readRows(value, &fromJson, list, limit);
}

MicroWebsite_HouseMangerList_Model::ListData MicroWebsite_HouseMangerList_Model::fromJson(const QJsonObject& o)
{
    using namespace ListingJson;
    ListData d;
    d.putup = ListingJson::toBool(o, QStringLiteral("putup"));
    d.faburen = toText(o, QStringLiteral("faburen"));
    d.faburenphone = toText(o, QStringLiteral("faburenphone"));
    d.bookid = toInt(o, QStringLiteral("bookid"));
    d.storeid = toInt(o, QStringLiteral("storeid"));
    d.id = toInt(o, QStringLiteral("id"));
    d.tags = toTextList(o, QStringLiteral("tags"));
    d.picture = toText(o, QStringLiteral("picture"));
    d.village = toText(o, QStringLiteral("village"));
    d.title = toText(o, QStringLiteral("title"));
    d.time = toText(o, QStringLiteral("time"));
    d.price = toText(o, QStringLiteral("price"));
    d.unitprice = toText(o, QStringLiteral("unitprice"));
    d.info = toText(o, QStringLiteral("info"));
    d.sh = ListingJson::toBool(o, QStringLiteral("sh"));
    d.shows = toText(o, QStringLiteral("shows"));
    d.tuijian = ListingJson::toBool(o, QStringLiteral("tuijian"));
    return d;
}
