#include "storage/listings/HouseManagerData.h"

#include "storage/core/ServiceDatabase.h"

namespace {

const char* const kSchema[] = {
    // kind: 0 for sale, 1 for rent. price and unitprice are the texts the site shows (ten-thousands
    // of yuan or yuan per month; yuan per square metre). tags is a JSON array of texts. A house
    // waiting for review (sh 0) is never put up or recommended.
    "CREATE TABLE IF NOT EXISTS site_houses(id INTEGER PRIMARY KEY, company_id TEXT NOT NULL REFERENCES companies(id),"
    " kind INTEGER NOT NULL, bookid INTEGER NOT NULL DEFAULT 0, store_id INTEGER NOT NULL DEFAULT 0,"
    " publisher_name TEXT NOT NULL DEFAULT '', publisher_phone TEXT NOT NULL DEFAULT '', title TEXT NOT NULL,"
    " village TEXT NOT NULL DEFAULT '', price TEXT NOT NULL DEFAULT '', unitprice TEXT NOT NULL DEFAULT '',"
    " picture TEXT NOT NULL DEFAULT '', info TEXT NOT NULL DEFAULT '', tags TEXT NOT NULL DEFAULT '[]',"
    " putup INTEGER NOT NULL DEFAULT 0, sh INTEGER NOT NULL DEFAULT 0, tuijian INTEGER NOT NULL DEFAULT 0,"
    " shows INTEGER NOT NULL DEFAULT 0, published_at TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS site_houses_company ON site_houses(company_id, kind, published_at)",
};

} // namespace

bool HouseManagerData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}
