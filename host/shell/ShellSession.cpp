#include "ShellSession.h"

#include "HostLogin.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

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
        const QJsonObject data = envelope.value(QStringLiteral("data")).toObject();
        if (!HostLogin::apply(phone, data)) {
            emit loginFailed(QStringLiteral("无法写入本地数据"));
            return;
        }
        m_roleName = data.value(QStringLiteral("user")).toObject().value(QStringLiteral("jobname")).toString();
        m_roleRights.clear();
        for (const QJsonValue& group : data.value(QStringLiteral("userauth")).toArray())
            m_roleRights.append(group.toObject().value(QStringLiteral("content")).toArray().toVariantList());
        emit loggedIn();
    });
}
