#ifndef SERVICEREPLY_H
#define SERVICEREPLY_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// What a handler answers: an HTTP status, a content type and the body.
class ServiceReply
{
public:
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    // Further headers, such as a range's Content-Range.
    QList<QPair<QByteArray, QByteArray>> headers;
    // Held back this long before it is sent, without keeping a thread meanwhile.
    int delayMs = 0;

    static ServiceReply html(const QString& title, const QString& bodyHtml);
    static ServiceReply bytes(const QByteArray& data, const QByteArray& contentType);
    static ServiceReply notFound();
};

#endif // SERVICEREPLY_H
