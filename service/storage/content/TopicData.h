#ifndef TOPICDATA_H
#define TOPICDATA_H

#include <QList>
#include <QString>
#include <QVariantList>

class ServiceDatabase;

// The topic pages of a company's site: a title, a subtitle, an icon and the houses the page
// groups, listed by their sort value (smaller first), then newest first.
class TopicData
{
public:
    struct Topic
    {
        qint64 id = 0;
        QString title;
        QString titleOne;
        QString img;
        // The linked houses: JSON text of [{"id", "title"}], kept exactly as the editor sent it.
        QString houseid;
        qint64 hits = 0;
        QString time; // "yyyy-MM-dd HH:mm"
        qint64 sort = 0;
    };

    enum class Change { Done, NotFound, Failed };

    static bool createSchema(ServiceDatabase& db);

    // pageSize topics of page pageIndex, narrowed by `conditions` (" AND ..." on the topic's
    // columns, with `values` bound to its marks). A failure is kept in db.lastError().
    static QList<Topic> topics(ServiceDatabase& db, const QString& companyId, const QString& conditions,
                               const QVariantList& values, qint64 pageIndex, qint64 pageSize);
    // The company's topic, or one with id 0.
    static Topic topic(ServiceDatabase& db, const QString& companyId, qint64 id);
    // Stores a new topic (its id ignored); the new id, or 0 on failure.
    static qint64 add(ServiceDatabase& db, const QString& companyId, const Topic& topic);
    // Rewrites the texts, icon and houses of the company's topic topic.id; hits, time and sort stay.
    static Change update(ServiceDatabase& db, const QString& companyId, const Topic& topic);
    static Change setSort(ServiceDatabase& db, const QString& companyId, qint64 id, qint64 sort);
    static Change remove(ServiceDatabase& db, const QString& companyId, qint64 id);
    // Whether the company has the house a topic may group: one of its site's or of its house
    // circle. A failure is kept in db.lastError().
    static bool hasHouse(ServiceDatabase& db, const QString& companyId, qint64 houseId);
    // A house of the company's site is gone: its topics drop it, unless a house of its circle has
    // the same id. False on failure.
    static bool dropHouse(ServiceDatabase& db, const QString& companyId, qint64 houseId);

private:
    TopicData() = delete;
};

#endif // TOPICDATA_H
