#include "routes/settings/SiteSettings.h"

#include "http/ParamReader.h"
#include "http/ServiceParams.h"
#include "routes/common/JsonText.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/StyleData.h"

#include <QSet>

#include <cstddef>

namespace {

// A setting the site keeps as a whole number in a range, with the value it has until saved.
struct IntegerSetting
{
    const char* key;
    const char* label;
    qint64 min;
    qint64 max;
    qint64 fallback;
};

const IntegerSetting kIntegerSettings[] = {
    {"shenhe", "推送房源审核", 0, 1, 0},
    {"pushStyle", "推送设置", 1, 3, 1},
    {"moshi", "联系人推广设置", 0, 3, 0},
    {"agentmoshiday", "经纪人模式天数", 1, 999, 7},
    {"fangzhumoshi", "房主模式", 1, 3, 1},
    {"bsearch", "首页搜索框样式", 1, 2, 1},
    {"menutype", "小程序首页图标样式", 1, 4, 1},
    {"zhuti", "主题颜色", 1, 6, 1},
    {"dibu", "底部导航样式", 1, 5, 1},
};

// One item of an ordering list: what the site offers, whether it must stay shown, and whether it
// is shown until the company chooses.
struct ListItem
{
    int id;
    const char* title;
    int tipId;
    bool required;
    bool chosen;
};

const ListItem kIcons[] = {
    {1, "新房", 0, false, true},       {2, "二手房", 0, true, true},    {3, "租房", 0, false, true},
    {16, "住宅", 0, false, true},      {17, "别墅", 0, false, true},    {18, "公寓", 0, false, true},
    {19, "商铺", 0, false, true},      {20, "写字楼", 0, false, true},  {4, "我要卖房", 250, false, true},
    {5, "我要出租", 251, false, true}, {6, "求购", 0, false, false},    {7, "求租", 0, false, false},
    {15, "金融", 252, false, false},   {23, "资讯", 0, false, true},    {25, "百科", 0, false, false},
};
const ListItem kSearchScopes[] = {
    {1, "二手房", 0, true, true}, {2, "新房", 0, false, true},    {3, "租房", 0, false, true},
    {4, "小区", 253, false, true}, {5, "资讯", 0, false, false},
};
const ListItem kGuessCategories[] = {
    {1, "二手房", 0, false, true}, {2, "新房", 0, false, true}, {3, "租房", 0, false, true}, {4, "金融", 0, false, false},
};
const ListItem kPushReminders[] = {
    {1, "新上房源提醒", 0, false, true},   {2, "降价提醒", 0, false, true},     {3, "业主委托提醒", 254, false, false},
    {4, "求购求租提醒", 0, false, false}, {5, "预约看房提醒", 0, false, false},
};
const ListItem kHomeKinds[] = {
    {1, "二手房", 0, false, true}, {2, "租房", 0, false, true}, {3, "新房", 0, false, true},
};
const ListItem kShopKinds[] = {
    {1, "出售", 0, false, true}, {2, "出租", 0, false, true}, {3, "新铺", 0, false, true}, {4, "转让", 0, false, false},
};
const ListItem kOfficeKinds[] = {
    {1, "出售", 0, false, true}, {2, "出租", 0, false, true}, {3, "新盘", 0, false, true},
};

struct ListSetting
{
    const char* key;
    const char* label;
    // The refusal of a list with nothing chosen; none: a list that may be empty.
    const char* noneChosen;
    const ListItem* items;
    int count;
};

template <std::size_t N>
constexpr ListSetting list(const char* key, const char* label, const char* noneChosen, const ListItem (&items)[N])
{
    return {key, label, noneChosen, items, int(N)};
}

const ListSetting kListSettings[] = {
    list("menushow", "小程序首页图标", "请至少选择首页图标一个类目项显示", kIcons),
    list("searchshow", "小程序首页搜索范围", "请至少选择首页搜索一个类目项显示", kSearchScopes),
    list("caishow", "小程序首页猜你喜欢类别", "请至少选择首页猜你喜欢一个类目项显示", kGuessCategories),
    list("pushoption", "小程序推送提醒", nullptr, kPushReminders),
    list("zhuzhai", "住宅设置", "住宅设置请至少选择一个类目项显示", kHomeKinds),
    list("bieshu", "别墅设置", "别墅设置请至少选择一个类目项显示", kHomeKinds),
    list("gongyu", "公寓设置", "公寓设置请至少选择一个类目项显示", kHomeKinds),
    list("shangpu", "商铺设置", "商铺设置请至少选择一个类目项显示", kShopKinds),
    list("xiezilou", "写字楼设置", "写字楼设置请至少选择一个类目项显示", kOfficeKinds),
};

const int kMaxListLength = 20000;

const IntegerSetting* integerSetting(const QString& key)
{
    for (const IntegerSetting& setting : kIntegerSettings) {
        if (key == QLatin1String(setting.key))
            return &setting;
    }
    return nullptr;
}

const ListSetting* listSetting(const QString& key)
{
    for (const ListSetting& setting : kListSettings) {
        if (key == QLatin1String(setting.key))
            return &setting;
    }
    return nullptr;
}

const ListItem* itemOf(const ListSetting& setting, int id)
{
    for (int i = 0; i < setting.count; ++i) {
        if (setting.items[i].id == id)
            return &setting.items[i];
    }
    return nullptr;
}

QJsonArray defaultItems(const ListSetting& setting)
{
    QJsonArray items;
    for (int i = 0; i < setting.count; ++i) {
        const ListItem& item = setting.items[i];
        items.append(QJsonObject{{QStringLiteral("id"), item.id},
                                 {QStringLiteral("title"), QString::fromUtf8(item.title)},
                                 {QStringLiteral("choose"), item.chosen},
                                 {QStringLiteral("tip_id"), item.tipId},
                                 {QStringLiteral("default_choose"), item.required}});
    }
    return items;
}

bool isListItem(const QJsonValue& value)
{
    const QJsonObject item = value.toObject();
    return value.isObject() && JsonText::isWholeNumber(item.value(QStringLiteral("id")))
        && item.value(QStringLiteral("title")).isString() && item.value(QStringLiteral("choose")).isBool()
        && JsonText::isWholeNumber(item.value(QStringLiteral("tip_id")))
        && item.value(QStringLiteral("default_choose")).isBool();
}

// Checks an ordering list the way the site will read it: a list that lost an item, or shows one
// twice, would leave the site's home page short or doubled.
void checkList(ParamReader& in, const ListSetting& setting, const QString& text)
{
    const QString label = QString::fromUtf8(setting.label);
    const QJsonDocument document = JsonText::parse(text);
    if (!document.isArray()) {
        in.fail(QStringLiteral("%1格式错误").arg(label));
        return;
    }
    QSet<int> seen;
    bool anyChosen = false;
    for (const QJsonValue& value : document.array()) {
        if (!isListItem(value)) {
            in.fail(QStringLiteral("%1格式错误").arg(label));
            return;
        }
        const QJsonObject item = value.toObject();
        const int id = item.value(QStringLiteral("id")).toInt();
        const ListItem* known = itemOf(setting, id);
        if (!known) {
            in.fail(QStringLiteral("%1不支持类目项：%2").arg(label).arg(id));
            return;
        }
        if (seen.contains(id)) {
            in.fail(QStringLiteral("%1的类目项重复：%2").arg(label, QString::fromUtf8(known->title)));
            return;
        }
        seen.insert(id);
        const bool chosen = item.value(QStringLiteral("choose")).toBool();
        if (known->required && !chosen) {
            in.fail(QStringLiteral("【%1】为必选项！").arg(QString::fromUtf8(known->title)));
            return;
        }
        anyChosen = anyChosen || chosen;
    }
    for (int i = 0; i < setting.count; ++i) {
        if (!seen.contains(setting.items[i].id)) {
            in.fail(QStringLiteral("%1缺少类目项：%2").arg(label, QString::fromUtf8(setting.items[i].title)));
            return;
        }
    }
    if (setting.noneChosen && !anyChosen)
        in.fail(QString::fromUtf8(setting.noneChosen));
}

} // namespace

QJsonObject SiteSettings::values(ServiceDatabase& db, const QString& companyId, const QStringList& keys)
{
    const QVariantMap stored = StyleData::settings(db, companyId);
    QJsonObject values;
    for (const IntegerSetting& setting : kIntegerSettings) {
        const QString key = QLatin1String(setting.key);
        if (keys.isEmpty() || keys.contains(key))
            values.insert(key, stored.contains(key) ? stored.value(key).toLongLong() : setting.fallback);
    }
    for (const ListSetting& setting : kListSettings) {
        const QString key = QLatin1String(setting.key);
        if (keys.isEmpty() || keys.contains(key))
            values.insert(key, stored.contains(key) ? stored.value(key).toString()
                                                    : JsonText::compact(defaultItems(setting)));
    }
    return values;
}

QVariantMap SiteSettings::read(const ServiceParams& params, ParamReader& in, QJsonObject* saved)
{
    QVariantMap values;
    for (const QString& key : params.keys()) {
        if (key == QLatin1String("companyid") || key == QLatin1String("cityid"))
            continue;
        if (const IntegerSetting* number = integerSetting(key)) {
            const qint64 value = in.integer(key, QString::fromUtf8(number->label), number->min, number->max);
            values.insert(key, QString::number(value));
            saved->insert(key, value);
        } else if (const ListSetting* ordering = listSetting(key)) {
            const QString text = in.text(key, QString::fromUtf8(ordering->label), kMaxListLength);
            if (!text.isEmpty())
                checkList(in, *ordering, text);
            values.insert(key, text);
            saved->insert(key, text);
        } else {
            // Dropping it quietly would report a setting as saved that was not.
            in.fail(QStringLiteral("不支持的设置项：%1").arg(key.left(40)));
        }
    }
    if (values.isEmpty())
        in.fail(QStringLiteral("缺少参数：设置项"));
    // The contact mode's details travel with it, as the settings page sends them: otherwise the
    // site would take days or owner options the saving user never saw.
    const int moshi = saved->value(QStringLiteral("moshi")).toInt(-1);
    if (moshi == 1 && !params.contains(QStringLiteral("agentmoshiday")))
        in.fail(QStringLiteral("请经纪人模式天数！"));
    if (moshi == 2 && !params.contains(QStringLiteral("fangzhumoshi")))
        in.fail(QStringLiteral("请至少房主模式中一项！"));
    return values;
}

QJsonArray SiteSettings::defaultList(const QString& key)
{
    const ListSetting* setting = listSetting(key);
    return setting ? defaultItems(*setting) : QJsonArray();
}
