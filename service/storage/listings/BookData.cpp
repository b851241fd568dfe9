#include "storage/listings/BookData.h"

#include "storage/core/ServiceDatabase.h"

namespace {

const char* const kSchema[] = {
    // kind: 0 for sale, 1 for rent. contacts is JSON text (an array of {name, level, phone});
    // photo is a comma-separated list of addresses. source_id names the site submission the
    // house was copied from, so the same submission is not kept twice.
    "CREATE TABLE IF NOT EXISTS house_book(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL,"
    " user_id INTEGER NOT NULL, kind INTEGER NOT NULL, name TEXT NOT NULL, buildingNo TEXT NOT NULL DEFAULT '',"
    " unitNo TEXT NOT NULL DEFAULT '', roomNo TEXT NOT NULL DEFAULT '', district TEXT NOT NULL DEFAULT '',"
    " area TEXT NOT NULL DEFAULT '', address TEXT NOT NULL DEFAULT '', floors INTEGER NOT NULL DEFAULT 0,"
    " allfloors INTEGER NOT NULL DEFAULT 0, hutype TEXT NOT NULL DEFAULT '', price REAL NOT NULL DEFAULT 0,"
    " unitprice INTEGER NOT NULL DEFAULT 0, builtuparea REAL NOT NULL DEFAULT 0,"
    " renovation TEXT NOT NULL DEFAULT '', housetype TEXT NOT NULL DEFAULT '', remark TEXT NOT NULL DEFAULT '',"
    " toward TEXT NOT NULL DEFAULT '', payway TEXT NOT NULL DEFAULT '', rentway TEXT NOT NULL DEFAULT '',"
    " contacts TEXT NOT NULL DEFAULT '[]', source TEXT NOT NULL DEFAULT '', photo TEXT NOT NULL DEFAULT '',"
    " source_type TEXT NOT NULL DEFAULT '', source_id TEXT NOT NULL DEFAULT '',"
    " is_show_community INTEGER NOT NULL DEFAULT 0, created_at INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS house_book_company ON house_book(company_id, kind, id)",
    // kind: 1 wants to buy, 2 wants to rent. The ranges stay the texts the site collected.
    "CREATE TABLE IF NOT EXISTS customer_book(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL,"
    " user_id INTEGER NOT NULL, kind INTEGER NOT NULL, name TEXT NOT NULL DEFAULT '', phone TEXT NOT NULL,"
    " sex TEXT NOT NULL DEFAULT '', needarea TEXT NOT NULL DEFAULT '', mianji TEXT NOT NULL DEFAULT '',"
    " tmianji TEXT NOT NULL DEFAULT '', price TEXT NOT NULL DEFAULT '', tprice TEXT NOT NULL DEFAULT '',"
    " floor TEXT NOT NULL DEFAULT '', tfloor TEXT NOT NULL DEFAULT '', remark TEXT NOT NULL DEFAULT '',"
    " created_at INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS customer_book_company ON customer_book(company_id, kind, id)",
};

} // namespace

bool BookData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

QString BookData::table(Book book)
{
    return book == Book::Houses ? QStringLiteral("house_book") : QStringLiteral("customer_book");
}

qint64 BookData::add(ServiceDatabase& db, Book book, const QString& companyId, qint64 userId, qint64 kind,
                     qint64 createdAt, const QVariantMap& columns)
{
    QVariantMap row = columns;
    row.insert(QStringLiteral("company_id"), companyId);
    row.insert(QStringLiteral("user_id"), userId);
    row.insert(QStringLiteral("kind"), kind);
    row.insert(QStringLiteral("created_at"), createdAt);
    return db.insert(table(book), row);
}
