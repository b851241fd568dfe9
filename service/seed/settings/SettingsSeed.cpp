#include "seed/settings/SettingsSeed.h"

#include "routes/common/JsonText.h"
#include "routes/settings/SiteSettings.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/StyleData.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QVariantMap>

namespace {

int indexOf(const QJsonArray& list, int id)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).toObject().value(QStringLiteral("id")).toInt() == id)
            return i;
    }
    return -1;
}

// The default list of a setting with items shown or hidden, as JSON text.
QString choosing(const char* key, const QMap<int, bool>& choices)
{
    QJsonArray list = SiteSettings::defaultList(QLatin1String(key));
    for (auto it = choices.cbegin(); it != choices.cend(); ++it) {
        const int index = indexOf(list, it.key());
        QJsonObject item = list.at(index).toObject();
        item.insert(QStringLiteral("choose"), it.value());
        list.replace(index, item);
    }
    return JsonText::compact(list);
}

QString anjuIcons()
{
    QJsonArray list = JsonText::parse(choosing("menushow", {{6, true}})).array();
    const QJsonValue news = list.takeAt(indexOf(list, 23));
    list.insert(3, news);
    return JsonText::compact(list);
}

} // namespace

bool SettingsSeed::seed(ServiceDatabase& db)
{
    const QVariantMap anju{
        {QStringLiteral("shenhe"), 1},
        {QStringLiteral("pushStyle"), 2},
        {QStringLiteral("moshi"), 1},
        {QStringLiteral("agentmoshiday"), 15},
        {QStringLiteral("bsearch"), 2},
        {QStringLiteral("menutype"), 3},
        {QStringLiteral("menushow"), anjuIcons()},
        {QStringLiteral("caishow"), choosing("caishow", {{4, true}})},
        {QStringLiteral("pushoption"), choosing("pushoption", {{3, true}})},
        {QStringLiteral("shangpu"), choosing("shangpu", {{4, true}})},
    };
    const QVariantMap shancheng{
        {QStringLiteral("shenhe"), 0},
        {QStringLiteral("pushStyle"), 3},
        {QStringLiteral("moshi"), 2},
        {QStringLiteral("fangzhumoshi"), 3},
        {QStringLiteral("bsearch"), 1},
        {QStringLiteral("menutype"), 2},
        {QStringLiteral("menushow"), choosing("menushow", {{17, false}})},
        {QStringLiteral("searchshow"), choosing("searchshow", {{4, false}})},
    };
    return StyleData::saveSettings(db, QStringLiteral("10001"), anju)
        && StyleData::saveSettings(db, QStringLiteral("20002"), shancheng);
}
