#ifndef DATATRANSFER_H
#define DATATRANSFER_H

#include <QString>

class ServiceDatabase;

// Moves an agency's data between databases of either backend (from the embedded SQLite file to
// PostgreSQL, say) through one JSON file: every table but the schema's own versions, its columns
// and rows. The files folder is copied on its own.
class DataTransfer
{
public:
    static bool exportTo(ServiceDatabase& db, const QString& file, QString* error);
    // Into a database that holds no rows yet, in one transaction: all or nothing.
    static bool importFrom(ServiceDatabase& db, const QString& file, QString* error);
};

#endif // DATATRANSFER_H
