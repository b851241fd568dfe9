#include "storage/content/ContentData.h"

#include "storage/content/AdsData.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QVariantMap>

namespace {

const char* const kSchema[] = {
    // photos: a JSON array of picture addresses.
    "CREATE TABLE IF NOT EXISTS company_profiles(company_id TEXT PRIMARY KEY REFERENCES companies(id),"
    " content TEXT NOT NULL DEFAULT '', address TEXT NOT NULL DEFAULT '', tel TEXT NOT NULL DEFAULT '',"
    " photos TEXT NOT NULL DEFAULT '[]')",
    // tags: a JSON array of texts.
    "CREATE TABLE IF NOT EXISTS job_postings(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " title TEXT NOT NULL, xinzi TEXT NOT NULL DEFAULT '', xueli TEXT NOT NULL DEFAULT '',"
    " jingyan TEXT NOT NULL DEFAULT '', address TEXT NOT NULL DEFAULT '', content TEXT NOT NULL DEFAULT '',"
    " tel TEXT NOT NULL DEFAULT '', tags TEXT NOT NULL DEFAULT '[]')",
    "CREATE INDEX IF NOT EXISTS job_postings_company ON job_postings(company_id, id)",
};

QString jsonText(const QStringList& list)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(list)).toJson(QJsonDocument::Compact));
}

QStringList textList(const QVariant& json)
{
    QStringList list;
    const QJsonArray array = QJsonDocument::fromJson(json.toString().toUtf8()).array();
    for (const QJsonValue& value : array)
        list.append(value.toString());
    return list;
}

ContentData::Job jobOf(const QVariantMap& row)
{
    const auto field = [&row](const char* column) { return row.value(QString::fromLatin1(column)).toString(); };
    ContentData::Job job;
    job.id = row.value(QStringLiteral("id")).toLongLong();
    job.title = field("title");
    job.xinzi = field("xinzi");
    job.xueli = field("xueli");
    job.jingyan = field("jingyan");
    job.address = field("address");
    job.content = field("content");
    job.tel = field("tel");
    job.tags = textList(row.value(QStringLiteral("tags")));
    return job;
}

// The posting's columns after the id and company, in the order of the statements below.
QVariantList jobValues(const ContentData::Job& job)
{
    return {job.title, job.xinzi, job.xueli, job.jingyan, job.address, job.content, job.tel, jsonText(job.tags)};
}

} // namespace

bool ContentData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

ContentData::Profile ContentData::profile(ServiceDatabase& db, const QString& companyId)
{
    const QVariantMap row = db.selectOne(
        QStringLiteral("SELECT content, address, tel, photos FROM company_profiles WHERE company_id = ?"), {companyId});
    Profile profile;
    profile.content = row.value(QStringLiteral("content")).toString();
    profile.address = row.value(QStringLiteral("address")).toString();
    profile.tel = row.value(QStringLiteral("tel")).toString();
    profile.photos = textList(row.value(QStringLiteral("photos")));
    return profile;
}

bool ContentData::saveProfile(ServiceDatabase& db, const QString& companyId, const Profile& profile)
{
    return db.execute(QStringLiteral("INSERT INTO company_profiles(company_id, content, address, tel, photos)"
                                     " VALUES(?, ?, ?, ?, ?) ON CONFLICT(company_id) DO UPDATE SET"
                                     " content = excluded.content, address = excluded.address,"
                                     " tel = excluded.tel, photos = excluded.photos"),
                      {companyId, profile.content, profile.address, profile.tel, jsonText(profile.photos)});
}

QList<ContentData::Job> ContentData::jobs(ServiceDatabase& db, const QString& companyId, const QString& conditions,
                                          const QVariantList& values, qint64 pageIndex, qint64 pageSize,
                                          qint64* total)
{
    const bool all = pageSize <= 0;
    const QList<QVariantMap> rows =
        db.selectPage(QStringLiteral("*"), QStringLiteral("job_postings WHERE company_id = ?") % conditions,
                      QVariantList{companyId} + values, QStringLiteral("id DESC"), all ? 1 : pageIndex,
                      all ? ServiceDatabase::kAllRows : pageSize, total);
    QList<Job> list;
    for (const QVariantMap& row : rows)
        list.append(jobOf(row));
    return list;
}

qint64 ContentData::addJob(ServiceDatabase& db, const QString& companyId, const Job& job)
{
    if (!db.execute(QStringLiteral("INSERT INTO job_postings(company_id, title, xinzi, xueli, jingyan, address,"
                                   " content, tel, tags) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    QVariantList{companyId} + jobValues(job)))
        return 0;
    return db.lastInsertId();
}

ContentData::Change ContentData::updateJob(ServiceDatabase& db, const QString& companyId, const Job& job)
{
    if (!db.execute(QStringLiteral("UPDATE job_postings SET title = ?, xinzi = ?, xueli = ?, jingyan = ?, address = ?,"
                                   " content = ?, tel = ?, tags = ? WHERE id = ? AND company_id = ?"),
                    jobValues(job) << job.id << companyId))
        return Change::Failed;
    return db.changes() > 0 ? Change::Done : Change::NotFound;
}

ContentData::Change ContentData::removeJob(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    // The adverts that link to the job go with it, at once, so none is ever left pointing nowhere.
    bool found = true;
    const bool done = db.transaction([&] {
        if (!db.execute(QStringLiteral("DELETE FROM job_postings WHERE id = ? AND company_id = ?"), {id, companyId}))
            return false;
        found = db.changes() > 0;
        return found && AdsData::unlink(db, companyId, AdsData::Job, id);
    });
    if (done)
        return Change::Done;
    return found ? Change::Failed : Change::NotFound;
}
