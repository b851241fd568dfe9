#include "content/profile/MicroWebsite_CompanyProfile_Model.h"

#include "listings/common/ListingJson.h"

#include <QJsonObject>

MicroWebsite_CompanyProfile_Model::MicroWebsite_CompanyProfile_Model(const QJsonValue& value, QObject* parent)
    : QObject(parent)
{
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    m_content = ListingJson::toText(object, QStringLiteral("content"));
    m_address = ListingJson::toText(object, QStringLiteral("address"));
    m_tel = ListingJson::toText(object, QStringLiteral("tel"));
    m_photos = ListingJson::toTextList(object, QStringLiteral("photos"));
}

void MicroWebsite_CompanyProfile_Model::getData(QString* content, QString* address, QString* tel,
                                                 QStringList* photos) const
{
    if (content)
        *content = m_content;
    if (address)
        *address = m_address;
    if (tel)
        *tel = m_tel;
    if (photos)
        *photos = m_photos;
}
