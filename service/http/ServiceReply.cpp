#include "http/ServiceReply.h"

ServiceReply ServiceReply::html(const QString& title, const QString& bodyHtml)
{
    ServiceReply reply;
    reply.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    reply.body = QStringLiteral("<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
                                "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                                "<title>%1</title><style>body{font-family:\"微软雅黑\",sans-serif;margin:24px;"
                                "color:#3c3c3c}a{color:#2d8cf0}li{margin:6px 0}</style></head>"
                                "<body>%2</body></html>\n")
                     .arg(title.toHtmlEscaped(), bodyHtml)
                     .toUtf8();
    return reply;
}

ServiceReply ServiceReply::bytes(const QByteArray& data, const QByteArray& contentType)
{
    ServiceReply reply;
    reply.contentType = contentType;
    reply.body = data;
    return reply;
}

ServiceReply ServiceReply::notFound()
{
    ServiceReply reply = html(QStringLiteral("404"), QStringLiteral("<h1>404</h1><p>页面不存在</p>"));
    reply.status = 404;
    return reply;
}
