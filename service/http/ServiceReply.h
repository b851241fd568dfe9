#ifndef SERVICEREPLY_H
#define SERVICEREPLY_H

#include <QByteArray>
#include <QString>

// What a handler answers: an HTTP status, a content type and the body.
class ServiceReply
{
public:
    int status = 200;
    QByteArray contentType;
    QByteArray body;

    static ServiceReply html(const QString& title, const QString& bodyHtml);
    static ServiceReply bytes(const QByteArray& data, const QByteArray& contentType);
    static ServiceReply notFound();
};

#endif // SERVICEREPLY_H
