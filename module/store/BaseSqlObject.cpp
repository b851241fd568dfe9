#include "store/BaseSqlObject.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

BaseSqlObject::BaseSqlObject(QObject* parent, const QString& baseName, bool jointSale)
    : QObject(parent)
    , m_tableName(jointSale ? baseName + QStringLiteral("_jointsale") : baseName)
{
    // One connection per window and user, shared by every table object of that window.
    const QString connection = QStringLiteral("kq_microwebsite_%1_%2").arg(DataCenter::CurrentWindow, DataCenter::UserPhoneNumber);
    LocalDatabase::open(connection, DataCenter::UserPhoneNumber, &m_db);
}
