#include "support/service/ScriptedHttpServer.h"

#include "support/service/TestEnvironment.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return QByteArrayLiteral("OK");
    case 301:
        return QByteArrayLiteral("Moved Permanently");
    case 302:
        return QByteArrayLiteral("Found");
    case 400:
        return QByteArrayLiteral("Bad Request");
    case 404:
        return QByteArrayLiteral("Not Found");
    case 500:
        return QByteArrayLiteral("Internal Server Error");
    default:
        return QByteArrayLiteral("Status");
    }
}

} // namespace

ScriptedHttpServer::ScriptedHttpServer(QObject* parent)
    : QTcpServer(parent)
{
}

bool ScriptedHttpServer::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

bool ScriptedHttpServer::startTls(const QSslCertificate& certificate, const QSslKey& key)
{
    m_tls = true;
    m_certificate = certificate;
    m_key = key;
    return start();
}

QString ScriptedHttpServer::url(const QString& path) const
{
    return QStringLiteral("%1://127.0.0.1:%2%3")
        .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"), QString::number(serverPort()), path);
}

void ScriptedHttpServer::useAsApiBase() const
{
    qputenv("MICROSITE_API_BASE", url(QStringLiteral("/api/")).toUtf8());
    TestEnvironment::addressesChanged();
}

void ScriptedHttpServer::setReply(const QString& path, const Reply& reply)
{
    m_standing.insert(path, reply);
}

void ScriptedHttpServer::enqueueReply(const QString& path, const Reply& reply)
{
    m_queued[path].append(reply);
}

ScriptedHttpServer::Reply ScriptedHttpServer::contentReply(const QByteArray& contentType, const QByteArray& body)
{
    Reply reply;
    reply.headers.append(qMakePair(QByteArrayLiteral("Content-Type"), contentType));
    reply.body = body;
    return reply;
}

ScriptedHttpServer::Reply ScriptedHttpServer::jsonReply(const QByteArray& json)
{
    return contentReply(QByteArrayLiteral("application/json; charset=utf-8"), json);
}

ScriptedHttpServer::Reply ScriptedHttpServer::envelope(const QJsonValue& code, const QString& message,
                                                       const QJsonValue& data)
{
    QJsonObject object;
    object.insert(QStringLiteral("code"), code);
    object.insert(QStringLiteral("message"), message);
    object.insert(QStringLiteral("data"), data.isUndefined() ? QJsonValue() : data);
    return jsonReply(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

ScriptedHttpServer::Reply ScriptedHttpServer::objectMoved(const QByteArray& link)
{
    Reply reply;
    reply.status = 302;
    reply.body = "<html><head><title>Object moved</title></head><body>\r\n<h2>Object moved to <a href=\"" + link
                 + "\">here</a>.</h2>\r\n</body></html>\r\n";
    return reply;
}

ScriptedHttpServer::Reply ScriptedHttpServer::listReply(int total, const QJsonArray& rows, const QString& message)
{
    return envelope(200, message, QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), rows}});
}

QList<ScriptedHttpServer::Request> ScriptedHttpServer::requestsTo(const QString& path) const
{
    QList<Request> found;
    for (const Request& request : m_requests) {
        if (request.path == path)
            found.append(request);
    }
    return found;
}

void ScriptedHttpServer::clear()
{
    m_standing.clear();
    m_responders.clear();
    m_queued.clear();
    m_requests.clear();
}

void ScriptedHttpServer::incomingConnection(qintptr socketDescriptor)
{
    QTcpSocket* socket = nullptr;
    if (m_tls) {
        auto* ssl = new QSslSocket(this);
        if (!ssl->setSocketDescriptor(socketDescriptor)) {
            delete ssl;
            return;
        }
        ssl->setLocalCertificate(m_certificate);
        ssl->setPrivateKey(m_key);
        ssl->startServerEncryption();
        socket = ssl;
    } else {
        socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(socketDescriptor)) {
            delete socket;
            return;
        }
    }
    m_buffers.insert(socket, QByteArray());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { readFrom(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
        m_buffers.remove(socket);
        socket->deleteLater();
    });
}

void ScriptedHttpServer::readFrom(QTcpSocket* socket)
{
    if (!m_buffers.contains(socket))
        return;
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();

    for (;;) {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        Request request;
        request.method = requestLine.value(0);
        const QByteArray target = requestLine.value(1);
        const int queryStart = target.indexOf('?');
        request.path = QString::fromLatin1(queryStart < 0 ? target : target.left(queryStart));
        request.query = queryStart < 0 ? QString() : QString::fromLatin1(target.mid(queryStart + 1));
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const int colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        const int length = request.headers.value(QByteArrayLiteral("content-length")).toInt();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, headerEnd + 4 + length);

        m_requests.append(request);
        emit requestReceived(request);
        const Reply reply = m_responders.contains(request.path) ? m_responders.value(request.path)(request)
                                                                : replyFor(request.path);
        if (reply.hang)
            continue;
        if (reply.delayMs > 0) {
            QTimer::singleShot(reply.delayMs, socket, [this, socket, reply]() { answer(socket, reply); });
        } else {
            answer(socket, reply);
        }
    }
}

void ScriptedHttpServer::setResponder(const QString& path, Responder responder)
{
    m_responders.insert(path, std::move(responder));
}

ScriptedHttpServer::Reply ScriptedHttpServer::replyFor(const QString& path)
{
    QList<Reply>& queue = m_queued[path];
    if (!queue.isEmpty())
        return queue.takeFirst();
    if (m_standing.contains(path))
        return m_standing.value(path);
    Reply missing;
    missing.status = 404;
    missing.body = QByteArrayLiteral("not scripted");
    return missing;
}

void ScriptedHttpServer::answer(QTcpSocket* socket, const Reply& reply)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    head += "Connection: close\r\n";
    for (const auto& header : reply.headers)
        head += header.first + ": " + header.second + "\r\n";
    head += "\r\n";
    socket->write(head);
    if (reply.closeMidBody) {
        socket->write(reply.body.left(reply.body.size() / 2));
        socket->disconnectFromHost();
        return;
    }
    socket->write(reply.body);
    socket->disconnectFromHost();
}
