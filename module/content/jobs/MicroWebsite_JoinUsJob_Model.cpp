#include "content/jobs/MicroWebsite_JoinUsJob_Model.h"

#include "listings/common/ListingJson.h"

MicroWebsite_JoinUsJob_Model::MicroWebsite_JoinUsJob_Model(const QJsonValue& value, int limit, QObject* parent)
    : QObject(parent)
{
    ListingJson::readRows(value, &MicroWebsite_JoinUsJob_Model::fromJson, m_list, limit);
}

MicroWebsite_JoinUsJob_Model::DataModel MicroWebsite_JoinUsJob_Model::fromJson(const QJsonObject& object)
{
    DataModel job;
    job.id = ListingJson::toInt(object, QStringLiteral("id"));
    job.title = ListingJson::toText(object, QStringLiteral("title"));
    job.xinzi = ListingJson::toText(object, QStringLiteral("xinzi"));
    job.xueli = ListingJson::toText(object, QStringLiteral("xueli"));
    job.jingyan = ListingJson::toText(object, QStringLiteral("jingyan"));
    job.address = ListingJson::toText(object, QStringLiteral("address"));
    job.content = ListingJson::toText(object, QStringLiteral("content"));
    job.tel = ListingJson::toText(object, QStringLiteral("tel"));
    job.tags = ListingJson::toTextList(object, QStringLiteral("tags"));
    return job;
}
