#include "routes/common/SitePage.h"

#include "app/ServiceContext.h"
#include "http/ServiceRequest.h"
#include "sessions/SessionStore.h"

#include <QFile>

SessionInfo SitePage::sessionOf(ServiceContext& context, const ServiceRequest& request)
{
    QString sessionId = request.header(QStringLiteral("sessionid"));
    QString token = request.header(QStringLiteral("token"));
    if (sessionId.isEmpty() && token.isEmpty()) {
        sessionId = request.cookie(QStringLiteral("sessionid"));
        token = request.cookie(QStringLiteral("token"));
    }
    if (sessionId.isEmpty() && token.isEmpty()) {
        sessionId = request.params.value(QStringLiteral("sessionID"));
        token = request.params.value(QStringLiteral("_sn"));
    }
    return context.sessions().find(sessionId, token);
}

ServiceReply SitePage::admit(const ServiceRequest& request, const SessionInfo& session, const QStringList& cityKeys)
{
    if (!session.valid)
        return refusal(401, QStringLiteral("请先登录"),
                       QStringLiteral("此页面需要登录：请在桌面端的微官网中打开，或登录后重试。"));
    // The desktop names the company and the city it works for; they must be the login's own.
    if (request.params.value(QStringLiteral("companyid")) != session.companyId)
        return refusal(403, QStringLiteral("无法打开"), QStringLiteral("无权访问其他公司的数据"));
    for (const QString& key : cityKeys) {
        if (request.params.contains(key) && request.params.value(key) != session.cityId)
            return refusal(403, QStringLiteral("无法打开"), QStringLiteral("无权访问其他城市的数据"));
    }
    return ServiceReply();
}

QString SitePage::render(const QString& resource, const QMap<QString, QString>& values)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString text = QString::fromUtf8(file.readAll());
    // One pass, so a value that holds "{{...}}" stays as it is.
    QString out;
    out.reserve(text.size());
    int from = 0;
    while (true) {
        const int open = text.indexOf(QLatin1String("{{"), from);
        const int close = open < 0 ? -1 : text.indexOf(QLatin1String("}}"), open + 2);
        if (close < 0)
            break;
        out += text.midRef(from, open - from);
        out += values.value(text.mid(open + 2, close - open - 2));
        from = close + 2;
    }
    out += text.midRef(from);
    return out;
}

ServiceReply SitePage::refusal(int status, const QString& heading, const QString& text)
{
    ServiceReply reply = ServiceReply::html(
        heading, QStringLiteral("<h1>%1</h1><p>%2</p>").arg(heading.toHtmlEscaped(), text.toHtmlEscaped()));
    reply.status = status;
    return reply;
}

ServiceReply SitePage::page(const QString& html)
{
    ServiceReply reply;
    reply.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    reply.body = html.toUtf8();
    return reply;
}

ServiceReply SitePage::framed(const QString& heading, const QString& subtitle, const QString& body,
                              const QStringList& scripts)
{
    QString tags;
    for (const QString& script : scripts)
        tags += QStringLiteral("<script src=\"%1\"></script>\n").arg(script.toHtmlEscaped());
    return page(render(QStringLiteral(":/site_pages/layout.html"), {{QStringLiteral("title"), heading.toHtmlEscaped()},
                                                                   {QStringLiteral("heading"), heading.toHtmlEscaped()},
                                                                   {QStringLiteral("subtitle"), subtitle.toHtmlEscaped()},
                                                                   {QStringLiteral("scripts"), tags},
                                                                   {QStringLiteral("body"), body}}));
}

QString SitePage::table(const QStringList& headings, const QList<QStringList>& rows, const QString& empty,
                        const QStringList& rowAttributes)
{
    if (rows.isEmpty())
        return QStringLiteral("<p class=\"empty\">%1</p>").arg(empty.toHtmlEscaped());
    QString html = QStringLiteral("<table class=\"list\"><thead><tr>");
    for (const QString& heading : headings)
        html += QStringLiteral("<th>%1</th>").arg(heading.toHtmlEscaped());
    html += QStringLiteral("</tr></thead><tbody>");
    for (int i = 0; i < rows.size(); ++i) {
        const QString attributes = rowAttributes.value(i);
        html += attributes.isEmpty() ? QStringLiteral("<tr>") : QStringLiteral("<tr %1>").arg(attributes);
        for (const QString& cell : rows.at(i))
            html += QStringLiteral("<td>%1</td>").arg(cell);
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</tbody></table>");
}
