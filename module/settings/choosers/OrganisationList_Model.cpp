#include "settings/choosers/OrganisationList_Model.h"

#include "listings/common/ListingJson.h"

#include <QJsonArray>

#include <cmath>

QString OrganisationList_Model::ListData::key() const
{
    return (isPerson() ? QStringLiteral("p:") : QStringLiteral("d:")) + id.toString();
}

OrganisationList_Model::OrganisationList_Model(const QJsonValue& value, QObject* parent)
    : QObject(parent)
{
    const QJsonObject object = value.toObject();
    title = ListingJson::toText(object, QStringLiteral("title"));
    for (const QJsonValue& dept : object.value(QStringLiteral("dept")).toArray()) {
        if (dept.isObject())
            departments.append(departmentFromJson(dept.toObject()));
    }
    for (const QJsonValue& user : object.value(QStringLiteral("user")).toArray()) {
        if (user.isObject())
            people.append(personFromJson(user.toObject()));
    }
}

OrganisationList_Model::ListData OrganisationList_Model::departmentFromJson(const QJsonObject& object)
{
    ListData data;
    data.nodeType = Department;
    data.id = idOf(object.value(QStringLiteral("id")));
    data.name = ListingJson::toText(object, QStringLiteral("name"));
    data.path = ListingJson::toText(object, QStringLiteral("path"));
    data.subCount = ListingJson::toInt(object, QStringLiteral("subcount"));
    return data;
}

OrganisationList_Model::ListData OrganisationList_Model::personFromJson(const QJsonObject& object)
{
    ListData data;
    data.nodeType = Person;
    data.id = idOf(object.value(QStringLiteral("id")));
    data.name = ListingJson::toText(object, QStringLiteral("name"));
    data.phone = ListingJson::toText(object, QStringLiteral("phone"));
    data.storeId = idOf(object.value(QStringLiteral("storeid")));
    data.storeName = ListingJson::toText(object, QStringLiteral("storename"));
    data.path = ListingJson::toText(object, QStringLiteral("path"));
    return data;
}

QVariant OrganisationList_Model::idOf(const QJsonValue& value)
{
    if (value.isDouble()) {
        // Whole numbers within the exact range of a double become integers; others stay as sent.
        const double number = value.toDouble();
        if (std::isfinite(number) && std::abs(number) < 9.0e15 && std::floor(number) == number)
            return static_cast<qlonglong>(number);
        return number;
    }
    return value.toVariant().toString();
}
