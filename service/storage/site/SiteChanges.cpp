#include "storage/site/SiteChanges.h"

#include "storage/core/ServiceDatabase.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace {

// Kept in the table of named values: no schema step for one value per company.
QString keyOf(const QString& companyId)
{
    return QStringLiteral("site_changed:") + companyId;
}

} // namespace

bool SiteChanges::touch(ServiceDatabase& db, const QString& companyId)
{
    // Time first, to read as the change time; the random part tells apart two changes made in
    // the same millisecond, on this instance or another.
    const QString stamp = QStringLiteral("%1-%2")
                              .arg(QDateTime::currentMSecsSinceEpoch())
                              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    return db.execute(QStringLiteral("INSERT INTO meta(key, value) VALUES(?, ?)"
                                     " ON CONFLICT(key) DO UPDATE SET value = excluded.value"),
                      {keyOf(companyId), stamp});
}

QVariantMap SiteChanges::company(ServiceDatabase& db, const QString& companyId)
{
    return db.selectOne(QStringLiteral("SELECT c.id, c.name, c.site_open, ci.name AS cityname,"
                                       " COALESCE(m.value, '') AS changed FROM companies c"
                                       " JOIN cities ci ON ci.id = c.city_id LEFT JOIN meta m ON m.key = ?"
                                       " WHERE c.id = ?"),
                        {keyOf(companyId), companyId});
}
