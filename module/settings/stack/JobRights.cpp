#include "settings/stack/JobRights.h"

#include "net/http/JsonRows.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QList<QVariantMap> mapsOf(const QVariant& value)
{
    QList<QVariantMap> maps;
    const QVariantList list = value.toList();
    for (const QVariant& item : list) {
        if (item.type() == QVariant::Map)
            maps.append(item.toMap());
    }
    return maps;
}

int indexOfApp(const QList<QVariantMap>& apps, int appId)
{
    for (int i = 0; i < apps.size(); ++i) {
        if (apps.at(i).value(QStringLiteral("id")).toInt() == appId)
            return i;
    }
    return -1;
}

} // namespace

bool JobRights::read(const QJsonValue& value, QList<QVariantMap>* apps)
{
    if (!value.isArray())
        return false;
    *apps = JsonRows::maps(value.toArray(), JsonRows::PerRecord);
    return true;
}

QList<QVariantMap> JobRights::contentOf(const QList<QVariantMap>& apps, int appId)
{
    const int index = indexOfApp(apps, appId);
    return index < 0 ? QList<QVariantMap>() : mapsOf(apps.at(index).value(QStringLiteral("content")));
}

bool JobRights::merge(QList<QVariantMap>* apps, int appId, const QList<QVariantMap>& changed)
{
    const int index = indexOfApp(*apps, appId);
    if (index < 0)
        return false;
    QVariantList content = (*apps)[index].value(QStringLiteral("content")).toList();
    for (const QVariantMap& right : changed) {
        // A right without its id names nothing the service could keep.
        const QVariant id = right.value(QStringLiteral("id"));
        if (!id.isValid() || id.toInt() <= 0)
            continue;
        bool replaced = false;
        for (QVariant& existing : content) {
            if (existing.toMap().value(QStringLiteral("id")).toInt() == id.toInt()) {
                existing = right;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            content.append(right);
    }
    (*apps)[index].insert(QStringLiteral("content"), content);
    return true;
}
