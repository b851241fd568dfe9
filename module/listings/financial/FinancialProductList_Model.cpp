#include "listings/financial/FinancialProductList_Model.h"

#include "listings/common/ListingJson.h"

FinancialProductList_Model::FinancialProductList_Model(const QJsonValue& value, int limit, QObject* parent)
    : QObject(parent)
{
    total = ListingJson::readRows(value, &fromJson, list, limit);
}

FinancialProductList_Model::ListData FinancialProductList_Model::fromJson(const QJsonObject& o)
{
    using namespace ListingJson;
    ListData d;
    d.id = toInt(o, QStringLiteral("id"));
    d.photo = toText(o, QStringLiteral("photo"));
    d.title = toText(o, QStringLiteral("title"));
    d.des = toText(o, QStringLiteral("des"));
    d.monthLixi = toText(o, QStringLiteral("monthLixi"));
    d.daikuandate = toText(o, QStringLiteral("daikuandate"));
    d.maxedu = toText(o, QStringLiteral("maxedu"));
    d.dyleixing = toText(o, QStringLiteral("dyleixing"));
    d.yongjin = toText(o, QStringLiteral("yongjin"));
    d.wstore = toBool(o, QStringLiteral("wstore"));
    return d;
}

QVariantMap FinancialProductList_Model::toMap(const ListData& d)
{
    return {
        {QStringLiteral("id"), d.id},
        {QStringLiteral("photo"), d.photo},
        {QStringLiteral("title"), d.title},
        {QStringLiteral("des"), d.des},
        {QStringLiteral("monthLixi"), d.monthLixi},
        {QStringLiteral("daikuandate"), d.daikuandate},
        {QStringLiteral("maxedu"), d.maxedu},
        {QStringLiteral("dyleixing"), d.dyleixing},
        {QStringLiteral("yongjin"), d.yongjin},
        {QStringLiteral("wstore"), d.wstore},
    };
}
