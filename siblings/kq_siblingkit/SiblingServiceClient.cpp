#include "SiblingServiceClient.h"

#include "DataCenter.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

const int kTransferTimeoutMs = 30000;

} // namespace

SiblingServiceClient::SiblingServiceClient(const QString& failureText, QObject* parent)
    : QObject(parent)
    , m_failureText(failureText)
    , m_network(new QNetworkAccessManager(this))
{
    connect(m_network, &QNetworkAccessManager::finished, this, &SiblingServiceClient::dealReply);
}

QString SiblingServiceClient::apiBase()
{
    QString base = qEnvironmentVariable("MICROSITE_API_BASE").trimmed();
    if (base.isEmpty())
        base = QStringLiteral("http://127.0.0.1:8765/api/");
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

QByteArray SiblingServiceClient::formText(const FormPieces& pieces)
{
    QByteArray text;
    for (const auto& piece : pieces) {
        if (!text.isEmpty())
            text += '&';
        text += QUrl::toPercentEncoding(piece.first) + '=' + QUrl::toPercentEncoding(piece.second);
    }
    return text;
}

void SiblingServiceClient::post(const QString& path, const FormPieces& pieces)
{
    QNetworkRequest request{QUrl(apiBase() + path)};
    for (auto it = DataCenter::HttpHeadMap.constBegin(); it != DataCenter::HttpHeadMap.constEnd(); ++it)
        request.setRawHeader(it.key().toUtf8(), it.value().toString().toUtf8());
    const QVariant& cookie = DataCenter::CookieVar;
    if (cookie.canConvert<QList<QNetworkCookie>>() || cookie.canConvert<QNetworkCookie>())
        request.setHeader(QNetworkRequest::CookieHeader, cookie);
    else if (!cookie.toString().isEmpty())
        request.setRawHeader("Cookie", cookie.toString().toUtf8());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(kTransferTimeoutMs);
    m_latest = m_network->post(request, formText(pieces));
}

void SiblingServiceClient::dealReply(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_latest)
        return;
    m_latest = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        emit failed(QStringLiteral("网络连接失败：%1").arg(reply->errorString()));
        return;
    }
    const QJsonObject envelope = QJsonDocument::fromJson(reply->readAll()).object();
    const int code = envelope.value(QLatin1String("code")).toVariant().toInt();
    const QString message = envelope.value(QLatin1String("message")).toString();
    if (code == 200)
        emit succeeded(envelope.value(QLatin1String("data")), message);
    else
        emit failed(message.isEmpty() ? m_failureText : message);
}
