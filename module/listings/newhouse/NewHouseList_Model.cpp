#include "listings/newhouse/NewHouseList_Model.h"

#include "listings/common/ListingJson.h"

NewHouseList_Model::NewHouseList_Model(const QJsonValue& value, int limit, QObject* parent)
    : QObject(parent)
{
    total = ListingJson::readRows(value, &fromJson, list, limit);
}

NewHouseList_Model::ListData NewHouseList_Model::fromJson(const QJsonObject& o)
{
    using namespace ListingJson;
    ListData d;
    d.id = toInt(o, QStringLiteral("id"));
    d.thumbnail = toText(o, QStringLiteral("thumbnail"));
    d.name = toText(o, QStringLiteral("name"));
    d.zhuangtai = toText(o, QStringLiteral("zhuangtai"));
    d.dongtai = toText(o, QStringLiteral("dongtai"));
    d.province = toText(o, QStringLiteral("province"));
    d.cityname = toText(o, QStringLiteral("cityname"));
    d.address = toText(o, QStringLiteral("address"));
    d.junjia = toText(o, QStringLiteral("junjia"));
    d.yongjin = toText(o, QStringLiteral("yongjin"));
    d.wstore = toBool(o, QStringLiteral("wstore"));
    d.leixing = toText(o, QStringLiteral("leixing"));
    d.istop = toBool(o, QStringLiteral("istop"));
    d.tuijian = toBool(o, QStringLiteral("tuijian"));
    d.telbefore = toText(o, QStringLiteral("telbefore"));
    d.telafter = toText(o, QStringLiteral("telafter"));
    return d;
}

QVariantMap NewHouseList_Model::toMap(const ListData& d)
{
    return {
        {QStringLiteral("id"), d.id},
        {QStringLiteral("thumbnail"), d.thumbnail},
        {QStringLiteral("name"), d.name},
        {QStringLiteral("zhuangtai"), d.zhuangtai},
        {QStringLiteral("dongtai"), d.dongtai},
        {QStringLiteral("province"), d.province},
        {QStringLiteral("cityname"), d.cityname},
        {QStringLiteral("address"), d.address},
        {QStringLiteral("junjia"), d.junjia},
        {QStringLiteral("yongjin"), d.yongjin},
        {QStringLiteral("wstore"), d.wstore},
        {QStringLiteral("leixing"), d.leixing},
        {QStringLiteral("istop"), d.istop},
        {QStringLiteral("tuijian"), d.tuijian},
        {QStringLiteral("telbefore"), d.telbefore},
        {QStringLiteral("telafter"), d.telafter},
    };
}
