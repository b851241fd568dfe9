#include "listings/submissions/MicroWebSiteSaleOrRentList_Model.h"

#include "listings/common/ListingJson.h"

MicroWebSiteSaleOrRentList_Model::MicroWebSiteSaleOrRentList_Model(const QJsonValue& value, int limit, QObject* parent)
    : QObject(parent)
{
    total = ListingJson::readRows(value, &fromJson, list, limit);
}

MicroWebSiteSaleOrRentList_Model::ListData MicroWebSiteSaleOrRentList_Model::fromJson(const QJsonObject& o)
{
    using namespace ListingJson;
    ListData d;
    d.id = toInt(o, QStringLiteral("id"));
    d.type = toText(o, QStringLiteral("type"));
    d.name = toText(o, QStringLiteral("name"));
    d.phone = toText(o, QStringLiteral("phone"));
    d.housename = toText(o, QStringLiteral("housename"));
    d.unitNo = toText(o, QStringLiteral("unitNo"));
    d.buildingNo = toText(o, QStringLiteral("buildingNo"));
    d.roomNo = toText(o, QStringLiteral("roomNo"));
    d.districtstr = toText(o, QStringLiteral("districtstr"));
    d.areastr = toText(o, QStringLiteral("areastr"));
    d.address = toText(o, QStringLiteral("address"));
    d.hutype = toText(o, QStringLiteral("hutype"));
    d.floors = toInt(o, QStringLiteral("floors"));
    d.allfloors = toInt(o, QStringLiteral("allfloors"));
    d.price = toDouble(o, QStringLiteral("price"));
    d.unitprice = toInt(o, QStringLiteral("unitprice"));
    d.builtuparea = toDouble(o, QStringLiteral("builtuparea"));
    d.renovation = toText(o, QStringLiteral("renovation"));
    d.housetype = toText(o, QStringLiteral("housetype"));
    d.remark = toText(o, QStringLiteral("remark"));
    d.toward = toText(o, QStringLiteral("toward"));
    d.payway = toText(o, QStringLiteral("payway"));
    d.rentway = toText(o, QStringLiteral("rentway"));
    d.imgurl = toTextList(o, QStringLiteral("imgurl"));
    d.time = toText(o, QStringLiteral("time"));
    return d;
}
