#include "settings/style/MircroWebsiteStyleSet_Model.h"

#include "listings/common/ListingJson.h"
#include "net/http/JsonRows.h"

#include <QJsonArray>

#include <algorithm>

MircroWebsiteStyleSet_Model::MircroWebsiteStyleSet_Model(const QJsonValue& value, QObject* parent)
    : QObject(parent)
{
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    for (const QJsonObject& app : JsonRows::objects(object.value(QStringLiteral("app")).toArray(), JsonRows::PerRecord))
        apps.append(fromJson(app));
    zhuti = ListingJson::toInt(object, QStringLiteral("zhuti"));
    dibu = ListingJson::toInt(object, QStringLiteral("dibu"));
}

MircroWebsiteStyleSet_Model::APP MircroWebsiteStyleSet_Model::fromJson(const QJsonObject& object)
{
    APP app;
    app.id = ListingJson::toInt(object, QStringLiteral("id"));
    app.type = ListingJson::toInt(object, QStringLiteral("type"));
    app.title = ListingJson::toText(object, QStringLiteral("title"));
    app.url = ListingJson::toText(object, QStringLiteral("url"));
    app.sort = ListingJson::toInt(object, QStringLiteral("sort"));
    app.content = ListingJson::toText(object, QStringLiteral("content"));
    return app;
}

MircroWebsiteStyleSet_Model::APP MircroWebsiteStyleSet_Model::addTile()
{
    APP app;
    app.id = -1;
    app.type = 1;
    app.title = QStringLiteral("自定义应用");
    app.url = QStringLiteral("://res/mircro_website_add.png");
    return app;
}

QList<MircroWebsiteStyleSet_Model::APP> MircroWebsiteStyleSet_Model::tilesFor(const QList<APP>& apps)
{
    QList<APP> tiles = apps;
    std::stable_sort(tiles.begin(), tiles.end(), [](const APP& a, const APP& b) { return a.sort < b.sort; });
    // The limit is on custom apps, as on the main page: counting the system apps too would hide the
    // add tile from every site that shows ten functions.
    const auto custom = std::count_if(tiles.cbegin(), tiles.cend(), [](const APP& app) { return app.type == 1; });
    if (custom < MaxApps)
        tiles.append(addTile());
    return tiles;
}
