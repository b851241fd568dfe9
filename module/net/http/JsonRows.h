#ifndef JSONROWS_H
#define JSONROWS_H

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QVariantMap>

// Taking the rows a view shows out of a list in a reply. A faulty service may send thousands of
// rows where a page holds twenty: a view takes at most its bound before it converts anything, so
// the work on the GUI thread follows what is shown, not what was sent.
namespace JsonRows {

// No bound: every row (lists that are whole by nature, such as a few fixed choices).
constexpr int All = -1;
// A list inside one record (its photos, its tags): far more than any record has, few enough to
// build at once.
constexpr int PerRecord = 50;

// The object elements of array, in order, at most limit of them (All: every one); other elements
// are skipped and do not count.
QList<QJsonObject> objects(const QJsonArray& array, int limit);
// The same as maps.
QList<QVariantMap> maps(const QJsonArray& array, int limit);
// The first limit elements of whatever kind.
QJsonArray head(const QJsonArray& array, int limit);

} // namespace JsonRows

#endif // JSONROWS_H
