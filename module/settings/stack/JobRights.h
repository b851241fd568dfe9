#ifndef JOBRIGHTS_H
#define JOBRIGHTS_H

#include <QJsonValue>
#include <QList>
#include <QVariantMap>

// A job role's rights as the service keeps them: one map per app, with "id" (the app) and
// "content" (its right maps, each with an "id").
class JobRights
{
public:
    // The module's app.
    static constexpr int ModuleAppId = 12;

    // The app maps of a reply; false (and nothing read) when the reply is not an array.
    static bool read(const QJsonValue& value, QList<QVariantMap>* apps);
    // The right maps of one app; empty when the rights hold no such app.
    static QList<QVariantMap> contentOf(const QList<QVariantMap>& apps, int appId);
    // Merges changed right maps into the app's content: a right already there is replaced in place,
    // one that is missing is appended, so no change is lost; a map without an "id" is passed over.
    // False when the rights hold no such app.
    static bool merge(QList<QVariantMap>* apps, int appId, const QList<QVariantMap>& changed);

private:
    JobRights() = delete;
};

#endif // JOBRIGHTS_H
