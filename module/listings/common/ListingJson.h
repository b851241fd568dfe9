#ifndef LISTINGJSON_H
#define LISTINGJSON_H

#include "net/http/JsonRows.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// Reading the fields of a listing reply: the service sends numbers sometimes as numbers and
// sometimes as text, and leaves keys out; a missing or unreadable key reads as 0, 0.0 or "".
namespace ListingJson {

int toInt(const QJsonObject& object, const QString& key);
double toDouble(const QJsonObject& object, const QString& key);
QString toText(const QJsonObject& object, const QString& key);
// A flag: true, 1, "true" or "1" (any case) read as true; anything else, or a missing key, as false.
bool toBool(const QJsonObject& object, const QString& key);
// Only the string elements of an array, at most limit of them.
QStringList toTextList(const QJsonObject& object, const QString& key, int limit = JsonRows::PerRecord);

// The "total" and the object elements of the "data" array of a paged reply, at most limit of them
// (JsonRows::All: every one); anything else gives 0 and no rows.
struct Page
{
    int total = 0;
    QList<QJsonObject> rows;
};
Page readPage(const QJsonValue& value, int limit);

// The rows of a paged reply, at most limit, each read by fromJson, appended to rows; returns the
// reply's total.
template <typename Row>
int readRows(const QJsonValue& value, Row (*fromJson)(const QJsonObject&), QList<Row>& rows, int limit)
{
    const Page page = readPage(value, limit);
    for (const QJsonObject& object : page.rows)
        rows.append(fromJson(object));
    return page.total;
}

// A number in its shortest exact form: 89.5 as "89.5", 120 as "120".
QString shortest(double value);

} // namespace ListingJson

#endif // LISTINGJSON_H
