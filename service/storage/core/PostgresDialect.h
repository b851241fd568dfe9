#ifndef POSTGRESDIALECT_H
#define POSTGRESDIALECT_H

#include <QString>

// Turns the service's SQL (written for SQLite) into PostgreSQL's: "?" marks become $1, $2, ...;
// mixed-case names ("buildingNo") are quoted so they keep their case; LIKE ignores case as
// SQLite's does; INTEGER is 64-bit and REAL double; an INTEGER PRIMARY KEY numbers itself.
// Quoted texts and names are left as they are.
class PostgresDialect
{
public:
    static QString translate(const QString& sql);
};

#endif // POSTGRESDIALECT_H
