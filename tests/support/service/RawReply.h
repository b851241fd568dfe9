#ifndef RAWREPLY_H
#define RAWREPLY_H

#include <QByteArray>
#include <QList>
#include <QMap>

// What came back on a connection of a test's own, written and read byte for byte, for requests
// no well-behaved client sends.
struct RawReply
{
    int status = 0;
    // Names in lower case.
    QMap<QByteArray, QByteArray> headers;
    QByteArray body;
    // The service closed the connection after the reply.
    bool closed = false;
    // Request bytes written before the reply arrived.
    qint64 sent = 0;

    // The envelope's "code".
    int code() const;

    // Parses the first reply in data; the number of bytes it took, or 0 when it is not complete.
    static int parse(const QByteArray& data, RawReply* reply);
    // Writes request to 127.0.0.1:port on a connection of its own (one byte every dribbleMs when
    // given) and reads replies until `replies` have come or the service closed the connection;
    // the last one, with every one in *all when given.
    static RawReply exchange(quint16 port, const QByteArray& request, int dribbleMs = 0, int replies = 1,
                             QList<RawReply>* all = nullptr);
};

#endif // RAWREPLY_H
