#ifndef SCHEMAMIGRATIONS_H
#define SCHEMAMIGRATIONS_H

#include <QString>

class ServiceDatabase;

// The schema as a numbered list of steps, the same for every backend. The versions applied are
// kept in the table schema_version; opening a database applies the missing steps in one write
// transaction, so instances starting together against one database apply each step once.
class SchemaMigrations
{
public:
    static bool apply(ServiceDatabase& db, QString* error);
    static int latestVersion();
    // The highest version the database holds, 0 for none.
    static int currentVersion(ServiceDatabase& db);
};

#endif // SCHEMAMIGRATIONS_H
