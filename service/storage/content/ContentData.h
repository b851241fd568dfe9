#ifndef CONTENTDATA_H
#define CONTENTDATA_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class ServiceDatabase;

// The content pages of a company's site that staff write themselves: the company profile (one
// per company) and the job postings.
class ContentData
{
public:
    struct Profile
    {
        QString content;
        QString address;
        QString tel;
        // Picture addresses, in the order the site shows them.
        QStringList photos;
    };

    struct Job
    {
        qint64 id = 0;
        QString title;
        QString xinzi;
        QString xueli;
        QString jingyan;
        QString address;
        QString content;
        QString tel;
        QStringList tags;
    };

    enum class Change { Done, NotFound, Failed };

    static bool createSchema(ServiceDatabase& db);

    // The company's profile: empty texts and no photos while it has none. A failure is kept in
    // db.lastError().
    static Profile profile(ServiceDatabase& db, const QString& companyId);
    static bool saveProfile(ServiceDatabase& db, const QString& companyId, const Profile& profile);

    // The company's postings, newest first, narrowed by `conditions` (" AND ..." on the posting's
    // columns, with `values` bound to its marks): pageSize rows of page pageIndex, or every posting
    // when pageSize is 0; *total counts them on all pages. A failure is kept in db.lastError().
    static QList<Job> jobs(ServiceDatabase& db, const QString& companyId, const QString& conditions,
                           const QVariantList& values, qint64 pageIndex, qint64 pageSize, qint64* total);
    // The new posting's id, or 0 on failure.
    static qint64 addJob(ServiceDatabase& db, const QString& companyId, const Job& job);
    // Rewrites the company's posting job.id.
    static Change updateJob(ServiceDatabase& db, const QString& companyId, const Job& job);
    static Change removeJob(ServiceDatabase& db, const QString& companyId, qint64 id);

private:
    ContentData() = delete;
};

#endif // CONTENTDATA_H
