#include "HostLogin.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString compact(const QJsonValue& value)
{
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    return QStringLiteral("[]");
}

bool truthy(const QJsonValue& v)
{
    return v.isBool() ? v.toBool() : (v.toVariant().toInt() != 0);
}

} // namespace

bool HostLogin::apply(const QString& phone, const QJsonObject& data)
{
    const QJsonObject user = data.value(QStringLiteral("user")).toObject();
    const QJsonObject session = data.value(QStringLiteral("session")).toObject();
    const QJsonObject base = data.value(QStringLiteral("base")).toObject();

    DataCenter::UserPhoneNumber = phone;
    DataCenter::CompanyID = user.value(QStringLiteral("companyid")).toVariant().toString();
    DataCenter::CityID = user.value(QStringLiteral("cityid")).toVariant().toString();
    DataCenter::isManager = truthy(user.value(QStringLiteral("userinfo")).toObject().value(QStringLiteral("ismanager")));
    DataCenter::isJointSaleManger = false;
    const QString sessionId = session.value(QStringLiteral("sessionid")).toString();
    const QString token = session.value(QStringLiteral("token")).toString();
    DataCenter::HttpHeadMap.clear();
    DataCenter::HttpHeadMap.insert(QStringLiteral("sessionid"), sessionId);
    DataCenter::HttpHeadMap.insert(QStringLiteral("token"), token);
    DataCenter::CookieVar = QStringLiteral("sessionid=%1; token=%2").arg(sessionId, token);
    DataCenter::UserOnline = true;

    const bool userStored = LocalDatabase::writeUser(phone, compact(user), compact(data.value(QStringLiteral("userauth"))),
                                                     compact(data.value(QStringLiteral("bumens"))));
    const bool baseStored = LocalDatabase::writeBaseMessage(
        phone, {{QStringLiteral("area"), compact(base.value(QStringLiteral("area")))},
                {QStringLiteral("job"), compact(base.value(QStringLiteral("job")))}});
    return userStored && baseStored;
}
