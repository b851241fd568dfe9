#include "support/service/RawReply.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>

int RawReply::code() const
{
    return QJsonDocument::fromJson(body).object().value(QStringLiteral("code")).toInt();
}

int RawReply::parse(const QByteArray& data, RawReply* reply)
{
    const int headEnd = data.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return 0;
    const QList<QByteArray> lines = data.left(headEnd).split('\n');
    reply->status = lines.value(0).split(' ').value(1).toInt();
    reply->headers.clear();
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines.at(i).indexOf(':');
        reply->headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
    }
    const int length = reply->headers.value("content-length").toInt();
    if (data.size() < headEnd + 4 + length)
        return 0;
    reply->body = data.mid(headEnd + 4, length);
    return headEnd + 4 + length;
}

RawReply RawReply::exchange(quint16 port, const QByteArray& request, int dribbleMs, int replies, QList<RawReply>* all)
{
    RawReply reply;
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(5000))
        return reply;
    if (dribbleMs > 0) {
        while (reply.sent < request.size() && socket.state() == QAbstractSocket::ConnectedState
               && socket.bytesAvailable() == 0) {
            socket.write(request.mid(static_cast<int>(reply.sent), 1));
            socket.waitForBytesWritten(1000);
            ++reply.sent;
            socket.waitForReadyRead(dribbleMs);
        }
    } else {
        socket.write(request);
        reply.sent = request.size();
    }
    QByteArray data;
    QElapsedTimer timer;
    timer.start();
    int parsed = 0;
    while (timer.elapsed() < 20000) {
        int used = 0;
        while (parsed < replies && (used = parse(data, &reply)) > 0) {
            data.remove(0, used);
            ++parsed;
            if (all)
                all->append(reply);
        }
        if (parsed >= replies) {
            reply.closed = socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(2000);
            break;
        }
        if (socket.state() == QAbstractSocket::UnconnectedState)
            break;
        socket.waitForReadyRead(200);
        data += socket.readAll();
    }
    return reply;
}
