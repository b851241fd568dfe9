#include "net/http/JsonRows.h"

namespace JsonRows {

QList<QJsonObject> objects(const QJsonArray& array, int limit)
{
    QList<QJsonObject> rows;
    for (auto it = array.begin(); it != array.end() && (limit < 0 || rows.size() < limit); ++it) {
        if ((*it).isObject())
            rows.append((*it).toObject());
    }
    return rows;
}

QList<QVariantMap> maps(const QJsonArray& array, int limit)
{
    QList<QVariantMap> rows;
    for (auto it = array.begin(); it != array.end() && (limit < 0 || rows.size() < limit); ++it) {
        if ((*it).isObject())
            rows.append((*it).toObject().toVariantMap());
    }
    return rows;
}

QJsonArray head(const QJsonArray& array, int limit)
{
    if (limit < 0 || array.size() <= limit)
        return array;
    QJsonArray first;
    for (int i = 0; i < limit; ++i)
        first.append(array.at(i));
    return first;
}

} // namespace JsonRows
