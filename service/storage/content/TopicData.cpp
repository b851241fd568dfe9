#include "storage/content/TopicData.h"

#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS site_topics(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " title TEXT NOT NULL, title_one TEXT NOT NULL DEFAULT '', img TEXT NOT NULL, houseid TEXT NOT NULL,"
    " hits INTEGER NOT NULL DEFAULT 0, time TEXT NOT NULL, sort INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS site_topics_company ON site_topics(company_id, sort)",
};

TopicData::Topic topicOf(const QVariantMap& row)
{
    TopicData::Topic topic;
    topic.id = row.value(QStringLiteral("id")).toLongLong();
    topic.title = row.value(QStringLiteral("title")).toString();
    topic.titleOne = row.value(QStringLiteral("title_one")).toString();
    topic.img = row.value(QStringLiteral("img")).toString();
    topic.houseid = row.value(QStringLiteral("houseid")).toString();
    topic.hits = row.value(QStringLiteral("hits")).toLongLong();
    topic.time = row.value(QStringLiteral("time")).toString();
    topic.sort = row.value(QStringLiteral("sort")).toLongLong();
    return topic;
}

TopicData::Change changed(ServiceDatabase& db, bool executed)
{
    if (!executed)
        return TopicData::Change::Failed;
    return db.changes() > 0 ? TopicData::Change::Done : TopicData::Change::NotFound;
}

} // namespace

bool TopicData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

QList<TopicData::Topic> TopicData::topics(ServiceDatabase& db, const QString& companyId, const QString& conditions,
                                          const QVariantList& values, qint64 pageIndex, qint64 pageSize)
{
    qint64 total = 0;
    const QList<QVariantMap> rows =
        db.selectPage(QStringLiteral("*"), QStringLiteral("site_topics WHERE company_id = ?") % conditions,
                      QVariantList{companyId} + values, QStringLiteral("sort, id DESC"), pageIndex, pageSize, &total);
    QList<Topic> list;
    for (const QVariantMap& row : rows)
        list.append(topicOf(row));
    return list;
}

TopicData::Topic TopicData::topic(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    return topicOf(
        db.selectOne(QStringLiteral("SELECT * FROM site_topics WHERE id = ? AND company_id = ?"), {id, companyId}));
}

qint64 TopicData::add(ServiceDatabase& db, const QString& companyId, const Topic& topic)
{
    if (!db.execute(QStringLiteral("INSERT INTO site_topics(company_id, title, title_one, img, houseid, hits, time,"
                                   " sort) VALUES(?, ?, ?, ?, ?, ?, ?, ?)"),
                    {companyId, topic.title, topic.titleOne, topic.img, topic.houseid, topic.hits, topic.time,
                     topic.sort}))
        return 0;
    return db.lastInsertId();
}

TopicData::Change TopicData::update(ServiceDatabase& db, const QString& companyId, const Topic& topic)
{
    return changed(db, db.execute(QStringLiteral("UPDATE site_topics SET title = ?, title_one = ?, img = ?,"
                                                 " houseid = ? WHERE id = ? AND company_id = ?"),
                                  {topic.title, topic.titleOne, topic.img, topic.houseid, topic.id, companyId}));
}

TopicData::Change TopicData::setSort(ServiceDatabase& db, const QString& companyId, qint64 id, qint64 sort)
{
    return changed(db, db.execute(QStringLiteral("UPDATE site_topics SET sort = ? WHERE id = ? AND company_id = ?"),
                                  {sort, id, companyId}));
}

TopicData::Change TopicData::remove(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    return changed(db, db.execute(QStringLiteral("DELETE FROM site_topics WHERE id = ? AND company_id = ?"),
                                  {id, companyId}));
}

bool TopicData::hasHouse(ServiceDatabase& db, const QString& companyId, qint64 houseId)
{
    return !db.selectOne(QStringLiteral("SELECT id FROM site_houses WHERE id = ?1 AND company_id = ?2 UNION ALL"
                                        " SELECT id FROM house_circle WHERE id = ?1 AND company_id = ?2"),
                         {houseId, companyId})
                .isEmpty();
}

bool TopicData::dropHouse(ServiceDatabase& db, const QString& companyId, qint64 houseId)
{
    if (hasHouse(db, companyId, houseId) || !db.lastError().isEmpty())
        return db.lastError().isEmpty();
    const QList<QVariantMap> rows =
        db.select(QStringLiteral("SELECT id, houseid FROM site_topics WHERE company_id = ?"), {companyId});
    if (!db.lastError().isEmpty())
        return false;
    for (const QVariantMap& row : rows) {
        const QJsonArray houses = QJsonDocument::fromJson(row.value(QStringLiteral("houseid")).toString().toUtf8()).array();
        QJsonArray kept;
        for (const QJsonValue& house : houses) {
            if (house.toObject().value(QStringLiteral("id")).toDouble() != static_cast<double>(houseId))
                kept.append(house);
        }
        if (kept.size() != houses.size()
            && !db.execute(QStringLiteral("UPDATE site_topics SET houseid = ? WHERE id = ?"),
                           {QString::fromUtf8(QJsonDocument(kept).toJson(QJsonDocument::Compact)),
                            row.value(QStringLiteral("id"))}))
            return false;
    }
    return true;
}
