#include "BaseMessage_SqlTable.h"

#include "LocalDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

namespace {

QList<QVariantMap> objectsOf(const QString& text)
{
    QList<QVariantMap> list;
    const QJsonArray array = QJsonDocument::fromJson(text.toUtf8()).array();
    for (const QJsonValue& v : array) {
        if (v.isObject())
            list.append(v.toObject().toVariantMap());
    }
    return list;
}

} // namespace

QList<QVariantMap> BaseMessage_SqlTable::getAreaList()
{
    return objectsOf(columnText(QStringLiteral("area")));
}

QList<QVariantMap> BaseMessage_SqlTable::getJobList()
{
    return objectsOf(columnText(QStringLiteral("job")));
}
