#include "listings/common/ListingJson.h"

#include "net/http/JsonRows.h"
#include "net/http/JsonValues.h"

#include <QLocale>

namespace ListingJson {

int toInt(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isDouble())
        return static_cast<int>(value.toDouble());
    if (value.isString()) {
        bool ok = false;
        const int number = value.toString().trimmed().toInt(&ok);
        if (ok)
            return number;
        return static_cast<int>(value.toString().trimmed().toDouble());
    }
    if (value.isBool())
        return value.toBool() ? 1 : 0;
    return 0;
}

double toDouble(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isDouble())
        return value.toDouble();
    if (value.isString())
        return value.toString().trimmed().toDouble();
    if (value.isBool())
        return value.toBool() ? 1.0 : 0.0;
    return 0.0;
}

QString toText(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return shortest(value.toDouble());
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return QString();
}

bool toBool(const QJsonObject& object, const QString& key)
{
    return JsonValues::toBool(object.value(key));
}

QStringList toTextList(const QJsonObject& object, const QString& key, int limit)
{
    QStringList list;
    const QJsonArray array = object.value(key).toArray();
    for (auto it = array.begin(); it != array.end() && (limit < 0 || list.size() < limit); ++it) {
        if ((*it).isString())
            list.append((*it).toString());
    }
    return list;
}

Page readPage(const QJsonValue& value, int limit)
{
    Page page;
    if (!value.isObject())
        return page;
    const QJsonObject object = value.toObject();
    const QJsonValue dataValue = object.value(QStringLiteral("data"));
    // Without rows there are no pages to offer, whatever "total" claims.
    if (!dataValue.isArray())
        return page;
    page.total = toInt(object, QStringLiteral("total"));
    page.rows = JsonRows::objects(dataValue.toArray(), limit);
    return page;
}

QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace ListingJson
