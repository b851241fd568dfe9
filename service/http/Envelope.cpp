#include "http/Envelope.h"

#include <QJsonDocument>
#include <QJsonObject>

ServiceReply Envelope::make(int code, const QString& message, const QJsonValue& data)
{
    QJsonObject envelope;
    envelope.insert(QStringLiteral("code"), code);
    envelope.insert(QStringLiteral("message"), message);
    envelope.insert(QStringLiteral("data"), data);
    return ServiceReply::bytes(QJsonDocument(envelope).toJson(QJsonDocument::Compact),
                               QByteArrayLiteral("application/json; charset=utf-8"));
}

ServiceReply Envelope::success(const QJsonValue& data, const QString& message)
{
    return make(kSuccess, message, data);
}

ServiceReply Envelope::sessionLost()
{
    return make(kSessionLost, QStringLiteral("登录已失效，请重新登录"));
}

ServiceReply Envelope::refused(const QString& message)
{
    return make(kRefused, message);
}

ServiceReply Envelope::internalError()
{
    return make(kInternalError, QStringLiteral("服务器内部错误，请稍后重试"));
}

ServiceReply Envelope::unavailable()
{
    ServiceReply reply = make(kInternalError, QStringLiteral("服务暂时不可用，请稍后重试"));
    reply.status = 503;
    return reply;
}

ServiceReply Envelope::unknownPath()
{
    ServiceReply reply = make(404, QStringLiteral("接口不存在"));
    reply.status = 404;
    return reply;
}
