#include "store/BaseMessage_SqlTable.h"

#include "net/http/NetRequestObjecet.h"

#include "LocalDatabase.h"

#include <QSqlQuery>

BaseMessage_SqlTable::BaseMessage_SqlTable(QObject* parent)
    : BaseSqlObject(parent, QStringLiteral("basemessage"), false)
{
    if (isOpen())
        LocalDatabase::createBaseMessageTable(database(), tableName());
}

QString BaseMessage_SqlTable::columnText(const QString& column)
{
    if (!isOpen() || !LocalDatabase::baseMessageTextColumns().contains(column))
        return {};
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("select * from %1 where id=1").arg(tableName())) || !query.next())
        return {};
    return LocalDatabase::unscramble(query.value(column).toString());
}

QList<QVariantMap> BaseMessage_SqlTable::getAreaList()
{
    return NetRequestObjecet::jsonToMapList(columnText(QStringLiteral("area")));
}

QList<QVariantMap> BaseMessage_SqlTable::getJobList()
{
    return NetRequestObjecet::jsonToMapList(columnText(QStringLiteral("job")));
}
