#include "ShellSession.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

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

ShellSession::ShellSession(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

QString ShellSession::apiBase()
{
    QString base = qEnvironmentVariable("MICROSITE_API_BASE", QStringLiteral("http://127.0.0.1:8765/api/"));
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

void ShellSession::login(const QString& phone, const QString& password)
{
    QNetworkRequest request(QUrl(apiBase() + QStringLiteral("account/initialize")));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(15000);
    const QByteArray body = "phone=" + QUrl::toPercentEncoding(phone) + "&password=" + QUrl::toPercentEncoding(password);
    QNetworkReply* reply = m_manager->post(request, body);
    connect(reply, &QNetworkReply::finished, this, [this, reply, phone] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError && reply->error() < QNetworkReply::ContentAccessDenied) {
            emit loginFailed(QStringLiteral("无法连接服务：%1").arg(reply->errorString()));
            return;
        }
        const QJsonObject envelope = QJsonDocument::fromJson(reply->readAll()).object();
        const int code = envelope.value(QStringLiteral("code")).toVariant().toInt();
        if (code != 200) {
            const QString message = envelope.value(QStringLiteral("message")).toString();
            emit loginFailed(message.isEmpty() ? QStringLiteral("登录失败") : message);
            return;
        }
        if (!applyLogin(phone, envelope.value(QStringLiteral("data")).toObject())) {
            emit loginFailed(QStringLiteral("无法写入本地数据"));
            return;
        }
        emit loggedIn();
    });
}

bool ShellSession::applyLogin(const QString& phone, const QJsonObject& data)
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
