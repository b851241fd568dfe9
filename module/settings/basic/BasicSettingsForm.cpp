#include "settings/basic/BasicSettingsForm.h"

#include "net/http/JsonRows.h"
#include "net/http/NetRequestObjecet.h"

QStringList BasicSettingsForm::subSettingKeys()
{
    return {QStringLiteral("zhuzhai"), QStringLiteral("bieshu"), QStringLiteral("gongyu"), QStringLiteral("shangpu"),
            QStringLiteral("xiezilou")};
}

QString BasicSettingsForm::subSettingKey(int iconId)
{
    return subSettingKeys().value(iconId - 16);
}

int BasicSettingsForm::fangzhumoshi(bool number, bool chat)
{
    return (number ? 1 : 0) + (chat ? 2 : 0);
}

bool BasicSettingsForm::anyChosen(const QList<QVariantMap>& items)
{
    for (const QVariantMap& item : items) {
        if (item.value(QStringLiteral("choose")).toBool())
            return true;
    }
    return false;
}

QList<QVariantMap> BasicSettingsForm::listOf(const QVariant& value)
{
    if (value.type() == QVariant::String)
        return NetRequestObjecet::jsonToMapList(value.toString()).mid(0, JsonRows::PerRecord);
    QList<QVariantMap> maps;
    const QVariantList list = value.toList();
    for (auto it = list.begin(); it != list.end() && maps.size() < JsonRows::PerRecord; ++it) {
        if (it->type() == QVariant::Map)
            maps.append(it->toMap());
    }
    return maps;
}

QString BasicSettingsForm::textOf(const QVariant& value)
{
    if (value.type() == QVariant::String)
        return value.toString();
    if (value.type() == QVariant::List)
        return NetRequestObjecet::mapListToJson(listOf(value));
    return QString();
}

QString BasicSettingsForm::validate() const
{
    if (!anyChosen(menushow))
        return QStringLiteral("请至少选择首页图标一个类目项显示");
    if (!anyChosen(searchshow))
        return QStringLiteral("请至少选择首页搜索一个类目项显示");
    if (!anyChosen(caishow))
        return QStringLiteral("请至少选择首页猜你喜欢一个类目项显示");
    if (moshi == 1 && agentDays.toInt() <= 0)
        return QStringLiteral("请经纪人模式天数！");
    if (moshi == 2 && fangzhumoshi(ownerNumber, ownerChat) == 0)
        return QStringLiteral("请至少房主模式中一项！");
    return QString();
}

QVariantMap BasicSettingsForm::toMap(const QVariantMap& config) const
{
    QVariantMap map;
    map.insert(QStringLiteral("menushow"), NetRequestObjecet::mapListToJson(menushow));
    map.insert(QStringLiteral("searchshow"), NetRequestObjecet::mapListToJson(searchshow));
    map.insert(QStringLiteral("caishow"), NetRequestObjecet::mapListToJson(caishow));
    map.insert(QStringLiteral("pushoption"), NetRequestObjecet::mapListToJson(pushoption));
    map.insert(QStringLiteral("menutype"), menutype > 0 ? menutype : 1);
    for (const QString& key : subSettingKeys())
        map.insert(key, textOf(config.value(key)));
    map.insert(QStringLiteral("shenhe"), shenhe == 1 ? 1 : 0);
    map.insert(QStringLiteral("bsearch"), bsearch > 0 ? bsearch : 1);
    map.insert(QStringLiteral("moshi"), moshi > 0 ? moshi : 0);
    map.insert(QStringLiteral("pushStyle"), pushStyle);
    if (moshi == 1)
        map.insert(QStringLiteral("agentmoshiday"), agentDays.toInt());
    if (moshi == 2)
        map.insert(QStringLiteral("fangzhumoshi"), fangzhumoshi(ownerNumber, ownerChat));
    return map;
}

BasicSettingsForm BasicSettingsForm::fromConfig(const QVariantMap& config)
{
    const auto code = [&config](const char* key, int first, int last, int none) {
        const int value = config.value(QLatin1String(key)).toInt();
        return value >= first && value <= last ? value : none;
    };
    BasicSettingsForm form;
    form.shenhe = code("shenhe", 0, 1, -1);
    form.pushStyle = code("pushStyle", 1, 3, 0);
    form.moshi = code("moshi", 0, 3, -1);
    if (form.moshi == 1)
        form.agentDays = QString::number(config.value(QStringLiteral("agentmoshiday")).toInt());
    if (form.moshi == 2) {
        const int owner = config.value(QStringLiteral("fangzhumoshi")).toInt();
        form.ownerNumber = owner & 1;
        form.ownerChat = owner & 2;
    }
    form.bsearch = code("bsearch", 1, 2, 0);
    form.menutype = code("menutype", 1, 4, 0);
    form.menushow = listOf(config.value(QStringLiteral("menushow")));
    form.searchshow = listOf(config.value(QStringLiteral("searchshow")));
    form.caishow = listOf(config.value(QStringLiteral("caishow")));
    form.pushoption = listOf(config.value(QStringLiteral("pushoption")));
    return form;
}
