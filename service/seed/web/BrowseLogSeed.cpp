#include "seed/web/BrowseLogSeed.h"

#include "storage/core/ServiceDatabase.h"
#include "storage/web/BrowseLogData.h"

#include <QDateTime>
#include <QMap>
#include <QVector>

#include <iterator>

namespace {

struct Visitor
{
    const char* name;
    const char* phone; // as the site shows it, or empty when the visitor left none
};

const Visitor kVisitors[] = {
    {"微信用户·阿杰", "138****5621"}, {"小鱼儿", ""},   {"成都张先生", "139****0832"}, {"Lily", "136****7710"},
    {"访客8842", ""},                 {"王女士", "135****2290"}, {"老李", "137****6603"}, {"访客1307", ""},
};

struct CompanyVisits
{
    const char* companyId;
    int count;
};

const CompanyVisits kCompanies[] = {{"10001", 36}, {"20002", 14}, {"30728", 16}};

struct Item
{
    qint64 id;
    QString title;
};

QVector<Item> items(ServiceDatabase& db, const QString& sql, const QString& companyId)
{
    QVector<Item> list;
    for (const QVariantMap& row : db.select(sql, {companyId}))
        list.append({row.value(QStringLiteral("id")).toLongLong(), row.value(QStringLiteral("title")).toString()});
    return list;
}

// What the company's visitors can look at, by visit type.
QMap<int, QVector<Item>> itemsOf(ServiceDatabase& db, const QString& companyId)
{
    QMap<int, QVector<Item>> byType;
    const bool circle = !db.selectOne(QStringLiteral("SELECT id FROM house_circle WHERE company_id = ? LIMIT 1"),
                                      {companyId})
                             .isEmpty();
    for (int kind : {0, 1}) {
        // The desktop opens a house of the circle in the circle, any other in the house book.
        const QString sql = circle ? QStringLiteral("SELECT id, title FROM house_circle WHERE company_id = ? AND kind = %1"
                                                    " ORDER BY id")
                                   : QStringLiteral("SELECT bookid AS id, title FROM site_houses WHERE company_id = ?"
                                                    " AND kind = %1 AND bookid > 0 ORDER BY id");
        byType.insert(kind == 0 ? BrowseLogData::SaleHouse : BrowseLogData::RentHouse,
                      items(db, sql.arg(kind), companyId));
    }
    byType.insert(BrowseLogData::NewHouse,
                  items(db, QStringLiteral("SELECT id, name AS title FROM newhouse_projects WHERE company_id = ? ORDER BY id"),
                        companyId));
    byType.insert(BrowseLogData::Financial,
                  items(db, QStringLiteral("SELECT id, title FROM financial_products WHERE company_id = ? ORDER BY id"),
                        companyId));
    return byType;
}

} // namespace

bool BrowseLogSeed::seed(ServiceDatabase& db)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (const CompanyVisits& company : kCompanies) {
        const QString companyId = QString::fromUtf8(company.companyId);
        const QMap<int, QVector<Item>> byType = itemsOf(db, companyId);
        if (!db.lastError().isEmpty())
            return false;
        QVector<int> types;
        for (auto it = byType.cbegin(); it != byType.cend(); ++it) {
            if (!it.value().isEmpty())
                types.append(it.key());
        }
        for (int i = 0; !types.isEmpty() && i < company.count; ++i) {
            // Round the types, stepping through each type's items; every visit a little earlier.
            const int type = types.at(i % types.size());
            const QVector<Item>& list = byType.value(type);
            const Item& item = list.at((i / types.size()) % list.size());
            const Visitor& visitor = kVisitors[(i * 3 + i / 4) % std::size(kVisitors)];
            BrowseLogData::Visit visit;
            visit.visitor = QString::fromUtf8(visitor.name);
            visit.phone = QString::fromUtf8(visitor.phone);
            visit.type = type;
            visit.itemId = item.id;
            visit.title = item.title;
            visit.visitedAt = now.addSecs(-60 * (17 + 97 * i)).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
            visit.seconds = 20 + (i * 37) % 280;
            if (BrowseLogData::add(db, companyId, visit) == 0)
                return false;
        }
    }
    return true;
}
