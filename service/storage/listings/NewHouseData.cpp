#include "storage/listings/NewHouseData.h"

#include "storage/core/ServiceDatabase.h"

bool NewHouseData::createSchema(ServiceDatabase& db)
{
    return db.execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS newhouse_projects(id INTEGER PRIMARY KEY,"
        " company_id TEXT NOT NULL REFERENCES companies(id), name TEXT NOT NULL, thumbnail TEXT NOT NULL DEFAULT '',"
        " zhuangtai TEXT NOT NULL DEFAULT '', dongtai TEXT NOT NULL DEFAULT '', province TEXT NOT NULL DEFAULT '',"
        " cityname TEXT NOT NULL DEFAULT '', district TEXT NOT NULL DEFAULT '', area TEXT NOT NULL DEFAULT '',"
        " address TEXT NOT NULL DEFAULT '', junjia INTEGER NOT NULL DEFAULT 0, yongjin TEXT NOT NULL DEFAULT '',"
        " leixing TEXT NOT NULL DEFAULT '', wstore INTEGER NOT NULL DEFAULT 0, istop INTEGER NOT NULL DEFAULT 0,"
        " tuijian INTEGER NOT NULL DEFAULT 0, telbefore TEXT NOT NULL DEFAULT '', telafter TEXT NOT NULL DEFAULT '',"
        " developer TEXT NOT NULL DEFAULT '', opening TEXT NOT NULL DEFAULT '', layouts TEXT NOT NULL DEFAULT '',"
        " areas TEXT NOT NULL DEFAULT '', sort INTEGER NOT NULL DEFAULT 0)"));
}
