#include "settings/apps/CustomAppContent.h"

#include "net/http/FormBody.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QString compact(const QJsonDocument& document)
{
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

} // namespace

QList<QVariantMap> CustomAppContent::sortList(QList<QVariantMap> list)
{
    std::stable_sort(list.begin(), list.end(), [](const QVariantMap& a, const QVariantMap& b) {
        return a.value(QStringLiteral("sort")).toInt() < b.value(QStringLiteral("sort")).toInt();
    });
    return list;
}

QString CustomAppContent::photosContent(const QList<QVariantMap>& photos)
{
    QJsonArray array;
    for (const QVariantMap& photo : sortList(photos)) {
        array.append(QJsonObject{{QStringLiteral("photo"), photo.value(QStringLiteral("photo")).toString()},
                                 {QStringLiteral("sort"), photo.value(QStringLiteral("sort")).toInt()}});
    }
    return compact(QJsonDocument(array));
}

QString CustomAppContent::housesContent(const QString& houseType, const QString& districts)
{
    return compact(QJsonDocument(QJsonObject{{QStringLiteral("type"), 2},
                                             {QStringLiteral("housetype"), houseType},
                                             {QStringLiteral("districts"), districts}}));
}

CustomAppContent::Mode CustomAppContent::modeOf(const QString& content)
{
    const QJsonDocument document = QJsonDocument::fromJson(content.toUtf8());
    if (document.isArray())
        return Photos;
    if (document.isObject() && document.object().value(QStringLiteral("type")).toInt() == 2)
        return Houses;
    return Text;
}

QStringList CustomAppContent::photoAddresses(const QString& content)
{
    QList<QVariantMap> photos;
    const QJsonArray array = QJsonDocument::fromJson(content.toUtf8()).array();
    for (const QJsonValue& value : array) {
        if (value.isObject())
            photos.append(value.toObject().toVariantMap());
    }
    QStringList addresses;
    for (const QVariantMap& photo : sortList(photos))
        addresses.append(photo.value(QStringLiteral("photo")).toString());
    return addresses;
}

QVariantMap CustomAppContent::houseSearch(const QString& content)
{
    return QJsonDocument::fromJson(content.toUtf8()).object().toVariantMap();
}

QString CustomAppContent::checkShared(const QString& name, bool hasIcon, bool compressing)
{
    if (name.isEmpty())
        return QStringLiteral("请填写应用名称！");
    if (name.size() > MaxNameLength)
        return QStringLiteral("应用名称长度应小于等于4位！");
    if (!hasIcon)
        return QStringLiteral("请选择应用图标！");
    if (compressing)
        return QStringLiteral("正在处理图片，请稍等！");
    return QString();
}

FormBody CustomAppContent::saveBody(const QString& name, const QString& photo, const QString& content, int id)
{
    FormBody body;
    body.add(QStringLiteral("name"), name).add(QStringLiteral("photo"), photo).add(QStringLiteral("content"), content);
    if (id != 0)
        body.add(QStringLiteral("id"), id);
    return body;
}
