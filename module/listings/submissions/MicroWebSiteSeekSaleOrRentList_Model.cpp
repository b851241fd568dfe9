#include "listings/submissions/MicroWebSiteSeekSaleOrRentList_Model.h"

#include "listings/common/ListingJson.h"

MicroWebSiteSeekSaleOrRentList_Model::MicroWebSiteSeekSaleOrRentList_Model(const QJsonValue& value, int limit, QObject* parent)
    : QObject(parent)
{
    total = ListingJson::readRows(value, &fromJson, list, limit);
}

MicroWebSiteSeekSaleOrRentList_Model::ListData MicroWebSiteSeekSaleOrRentList_Model::fromJson(const QJsonObject& o)
{
    using namespace ListingJson;
    ListData d;
    d.id = toInt(o, QStringLiteral("id"));
    d.type = toText(o, QStringLiteral("type"));
    d.needarea = toText(o, QStringLiteral("needarea"));
    d.mianji = toText(o, QStringLiteral("mianji"));
    d.tmianji = toText(o, QStringLiteral("tmianji"));
    d.price = toText(o, QStringLiteral("price"));
    d.tprice = toText(o, QStringLiteral("tprice"));
    d.floors = toText(o, QStringLiteral("floors"));
    d.tfloors = toText(o, QStringLiteral("tfloors"));
    d.name = toText(o, QStringLiteral("name"));
    d.sex = toText(o, QStringLiteral("sex"));
    d.phone = toText(o, QStringLiteral("phone"));
    d.remark = toText(o, QStringLiteral("remark"));
    d.time = toText(o, QStringLiteral("time"));
    return d;
}
