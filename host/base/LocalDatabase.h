#ifndef LOCALDATABASE_H
#define LOCALDATABASE_H

#include "kq_base_export.h"

#include <QString>
#include <QVariantMap>

class QSqlDatabase;

// The suite's local database: one SQLite file per user phone, filled by the host after login and
// read by the modules. Stored base-setting texts are scrambled (see scramble()); this only keeps
// them from being read at a glance, it is not a security measure.
class KQ_BASE_EXPORT LocalDatabase
{
public:
    // <generic data location>/kq_suite/users/<phone, percent-encoded>.sqlite
    static QString databasePath(const QString& phone);

    // Opens (or reuses) the named connection on the user's file. Returns false when it cannot open.
    static bool open(const QString& connectionName, const QString& phone, QSqlDatabase* db);

    static bool createUserTable(QSqlDatabase& db, const QString& table);
    static bool createBaseMessageTable(QSqlDatabase& db, const QString& table);

    // Writers used by the host's synchronisation; every value is bound, never pasted into the SQL.
    static bool writeUser(const QString& phone, const QString& initJson, const QString& userauthJson,
                          const QString& bumensJson, const QString& table = QStringLiteral("user"));
    static bool updateUserColumn(const QString& phone, const QString& column, const QString& value,
                                 const QString& table = QStringLiteral("user"));
    // Columns not named keep their value; texts are scrambled before they are stored.
    static bool writeBaseMessage(const QString& phone, const QVariantMap& columns,
                                 const QString& table = QStringLiteral("basemessage"));

    // XOR of the UTF-8 bytes with DataCenter::KQFUCNTIONPASSWORD, Base64, behind the marker "kqx1:".
    // Text without the marker is taken as plain, so rows written by older code still read.
    static QString scramble(const QString& text);
    static QString unscramble(const QString& text);

    static QStringList baseMessageTextColumns();

private:
    LocalDatabase() = delete;
};

#endif // LOCALDATABASE_H
