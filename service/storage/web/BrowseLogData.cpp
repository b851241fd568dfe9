#include "storage/web/BrowseLogData.h"

#include "storage/core/ServiceDatabase.h"

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS browse_logs(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " visitor TEXT NOT NULL, phone TEXT NOT NULL DEFAULT '', type INTEGER NOT NULL, item_id INTEGER NOT NULL,"
    " title TEXT NOT NULL, visited_at TEXT NOT NULL, seconds INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS browse_logs_company ON browse_logs(company_id, type, visited_at)",
};

} // namespace

bool BrowseLogData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

qint64 BrowseLogData::add(ServiceDatabase& db, const QString& companyId, const Visit& visit)
{
    return db.insert(QStringLiteral("browse_logs"), {{QStringLiteral("company_id"), companyId},
                                                     {QStringLiteral("visitor"), visit.visitor},
                                                     {QStringLiteral("phone"), visit.phone},
                                                     {QStringLiteral("type"), visit.type},
                                                     {QStringLiteral("item_id"), visit.itemId},
                                                     {QStringLiteral("title"), visit.title},
                                                     {QStringLiteral("visited_at"), visit.visitedAt},
                                                     {QStringLiteral("seconds"), visit.seconds}});
}

QList<QVariantMap> BrowseLogData::visits(ServiceDatabase& db, const QString& companyId, int type, qint64 pageIndex,
                                         qint64 pageSize, qint64* total)
{
    QString from = QStringLiteral("browse_logs WHERE company_id = ?");
    QVariantList values{companyId};
    if (type != 0) {
        from += QStringLiteral(" AND type = ?");
        values.append(type);
    }
    return db.selectPage(QStringLiteral("id, visitor, phone, type, item_id, title, visited_at, seconds"), from, values,
                         QStringLiteral("visited_at DESC, id DESC"), pageIndex, pageSize, total);
}
