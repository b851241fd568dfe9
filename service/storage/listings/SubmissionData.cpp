#include "storage/listings/SubmissionData.h"

#include "storage/core/ServiceDatabase.h"

namespace {

const char* const kSchema[] = {
    // photos: a JSON array of file names in the files folder.
    "CREATE TABLE IF NOT EXISTS owner_submissions(id INTEGER PRIMARY KEY,"
    " company_id TEXT NOT NULL REFERENCES companies(id), kind INTEGER NOT NULL, name TEXT NOT NULL,"
    " phone TEXT NOT NULL, housename TEXT NOT NULL, building_no TEXT NOT NULL DEFAULT '',"
    " unit_no TEXT NOT NULL DEFAULT '', room_no TEXT NOT NULL DEFAULT '', district TEXT NOT NULL DEFAULT '',"
    " area TEXT NOT NULL DEFAULT '', address TEXT NOT NULL DEFAULT '', hutype TEXT NOT NULL DEFAULT '',"
    " floors INTEGER NOT NULL DEFAULT 0, allfloors INTEGER NOT NULL DEFAULT 0, price REAL NOT NULL DEFAULT 0,"
    " unitprice INTEGER NOT NULL DEFAULT 0, builtuparea REAL NOT NULL DEFAULT 0,"
    " renovation TEXT NOT NULL DEFAULT '', housetype TEXT NOT NULL DEFAULT '', remark TEXT NOT NULL DEFAULT '',"
    " toward TEXT NOT NULL DEFAULT '', payway TEXT NOT NULL DEFAULT '', rentway TEXT NOT NULL DEFAULT '',"
    " photos TEXT NOT NULL DEFAULT '[]', created_at TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS owner_submissions_list ON owner_submissions(company_id, kind, created_at)",
    "CREATE TABLE IF NOT EXISTS visitor_demands(id INTEGER PRIMARY KEY,"
    " company_id TEXT NOT NULL REFERENCES companies(id), kind INTEGER NOT NULL,"
    " needarea TEXT NOT NULL DEFAULT '', mianji INTEGER NOT NULL DEFAULT 0, tmianji INTEGER NOT NULL DEFAULT 0,"
    " price REAL NOT NULL DEFAULT 0, tprice REAL NOT NULL DEFAULT 0, floors INTEGER NOT NULL DEFAULT 0,"
    " tfloors INTEGER NOT NULL DEFAULT 0, name TEXT NOT NULL, sex INTEGER NOT NULL DEFAULT 0,"
    " phone TEXT NOT NULL, remark TEXT NOT NULL DEFAULT '', created_at TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS visitor_demands_list ON visitor_demands(company_id, kind, created_at)",
};

} // namespace

bool SubmissionData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}
