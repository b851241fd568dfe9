#include "frame/MircroWebsiteOperateList_Model.h"

#include "net/http/JsonRows.h"
#include "net/http/JsonValues.h"
#include "widgets/tiles/ItemButtonWidget.h"

#include <QJsonArray>
#include <QJsonObject>

MircroWebsiteOperateList_Model::MircroWebsiteOperateList_Model(QObject* parent)
    : QObject(parent)
{
}

QString MircroWebsiteOperateList_Model::iconFor(int itemid, int type)
{
    return ItemButtonWidget::builtInIcon(itemid, type);
}

MircroWebsiteOperateList_Model::ListData MircroWebsiteOperateList_Model::builtIn(int itemid)
{
    ListData tile;
    tile.itemid = itemid;
    if (itemid == -1)
        tile.title = QStringLiteral("轮播广告");
    else if (itemid == -4)
        tile.title = QStringLiteral("用户轨迹");
    else if (itemid == -2) {
        tile.title = QStringLiteral("自定义应用");
        tile.type = 1;
    }
    tile.icon = iconFor(itemid, tile.type);
    return tile;
}

void MircroWebsiteOperateList_Model::parse(const QJsonValue& value, int limit)
{
    m_list.clear();
    QJsonArray array = value.toArray();
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        array = object.value(object.contains(QStringLiteral("data")) ? QStringLiteral("data") : QStringLiteral("list")).toArray();
    }
    for (const QJsonObject& o : JsonRows::objects(array, limit)) {
        ListData tile;
        // A tile the service says nothing about is shown.
        tile.show = !o.contains(QStringLiteral("show")) || JsonValues::toBool(o.value(QStringLiteral("show")));
        tile.itemid = o.value(QStringLiteral("itemid")).toVariant().toInt();
        tile.type = o.value(QStringLiteral("type")).toVariant().toInt();
        tile.title = o.value(QStringLiteral("title")).toVariant().toString();
        tile.sort = o.value(QStringLiteral("sort")).toVariant().toInt();
        tile.content = o.value(QStringLiteral("content")).toVariant().toString();
        const QString icon = o.value(QStringLiteral("photo")).toVariant().toString();
        tile.icon = icon.isEmpty() ? iconFor(tile.itemid, tile.type) : icon;
        m_list.append(tile);
    }
}

MircroWebsiteStyleSet_Model::APP MircroWebsiteOperateList_Model::toApp(const ListData& tile)
{
    MircroWebsiteStyleSet_Model::APP app;
    app.id = tile.itemid;
    app.type = tile.type;
    app.title = tile.title;
    app.url = tile.icon;
    app.sort = tile.sort;
    app.content = tile.content;
    return app;
}
