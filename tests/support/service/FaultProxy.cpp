#include "support/service/FaultProxy.h"

#include "support/service/TestEnvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QUrl>

namespace {

// The desktop's own cookies travel in each request's header; the proxy keeps none of its own.
class NoCookies : public QNetworkCookieJar
{
public:
    using QNetworkCookieJar::QNetworkCookieJar;
    QList<QNetworkCookie> cookiesForUrl(const QUrl&) const override { return {}; }
    bool setCookiesFromUrl(const QList<QNetworkCookie>&, const QUrl&) override { return false; }
};

// Hop-by-hop or framing headers the proxy sets itself on each side.
bool passes(const QByteArray& name)
{
    static const QList<QByteArray> own = {"host", "connection", "keep-alive", "content-length", "transfer-encoding",
                                          "accept-encoding", "content-encoding", "proxy-connection"};
    return !own.contains(name.toLower());
}

QJsonValue multiplyValue(const QJsonValue& value, int rows)
{
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            it.value() = multiplyValue(it.value(), rows);
        return object;
    }
    if (!value.isArray() || value.toArray().isEmpty())
        return value;
    const QJsonArray own = value.toArray();
    QJsonArray many;
    for (int i = 0; i < rows; ++i)
        many.append(own.at(i % own.size()));
    return many;
}

} // namespace

QByteArray FaultProxy::multiplied(const QByteArray& body, int rows)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return body;
    const QJsonValue root = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    const QJsonValue many = multiplyValue(root, rows);
    return many.isArray() ? QJsonDocument(many.toArray()).toJson(QJsonDocument::Compact)
                          : QJsonDocument(many.toObject()).toJson(QJsonDocument::Compact);
}

FaultProxy::FaultProxy(const QString& target, QObject* parent)
    : QTcpServer(parent)
    , m_target(target.endsWith(QLatin1Char('/')) ? target.chopped(1) : target)
    , m_network(new QNetworkAccessManager(this))
{
    m_network->setCookieJar(new NoCookies(m_network));
}

bool FaultProxy::start()
{
    if (!listen(QHostAddress::LocalHost, m_port))
        return false;
    m_port = serverPort();
    return true;
}

QString FaultProxy::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_port);
}

void FaultProxy::useAsBaseAddresses() const
{
    const QString base = baseUrl();
    qputenv("MICROSITE_API_BASE", (base + QStringLiteral("api/")).toUtf8());
    qputenv("MICROSITE_SITE_BASE", (base + QStringLiteral("site/")).toUtf8());
    qputenv("MICROSITE_OFFICE_BASE", (base + QStringLiteral("office/")).toUtf8());
    qputenv("MICROSITE_HELP_BASE", (base + QStringLiteral("help/")).toUtf8());
    qputenv("MICROSITE_SECURE_BASE", (base + QStringLiteral("secure/")).toUtf8());
    const QUrl service(m_target);
    qputenv("MICROSITE_FILE_HOSTS", QStringLiteral("%1:%2").arg(service.host()).arg(service.port()).toUtf8());
    TestEnvironment::addressesChanged();
}

void FaultProxy::failPath(const QString& pathEnd, int httpStatus, const QByteArray& jsonBody)
{
    m_faults.insert(pathEnd, {httpStatus, jsonBody});
}

void FaultProxy::clearFaults()
{
    m_faults.clear();
}

void FaultProxy::setDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    if (down) {
        close();
        const QList<QTcpSocket*> sockets = m_connections.keys();
        for (QTcpSocket* socket : sockets)
            socket->abort();
    } else {
        listen(QHostAddress::LocalHost, m_port);
    }
}

void FaultProxy::incomingConnection(qintptr socketDescriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    if (m_down) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    m_connections.insert(socket, Connection());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { readFrom(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
        const Connection connection = m_connections.take(socket);
        if (connection.inFlight)
            connection.inFlight->abort();
        socket->deleteLater();
    });
}

void FaultProxy::readFrom(QTcpSocket* socket)
{
    auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    Connection& connection = found.value();
    connection.buffer += socket->readAll();
    for (;;) {
        const int headerEnd = connection.buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            break;
        const QList<QByteArray> lines = connection.buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        Pending request;
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        int length = 0;
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const int colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name.toLower() == "content-length")
                length = value.toInt();
            request.headers.append(qMakePair(name, value));
        }
        if (connection.buffer.size() < headerEnd + 4 + length)
            break;
        request.body = connection.buffer.mid(headerEnd + 4, length);
        connection.buffer.remove(0, headerEnd + 4 + length);
        connection.queue.append(request);
    }
    next(socket);
}

// One request of a connection at a time, so that the answers go back in the order asked.
void FaultProxy::next(QTcpSocket* socket)
{
    auto found = m_connections.find(socket);
    if (found == m_connections.end() || found->inFlight || found->queue.isEmpty())
        return;
    const Pending request = found->queue.takeFirst();
    const int queryStart = request.target.indexOf('?');
    const QString path = QString::fromLatin1(queryStart < 0 ? request.target : request.target.left(queryStart));
    m_paths.append(path);
    for (auto fault = m_faults.cbegin(); fault != m_faults.cend(); ++fault) {
        if (path.endsWith(fault.key())) {
            if (fault.value().jsonBody.isEmpty())
                answer(socket, fault.value().status, {{"Content-Type", "text/plain"}}, QByteArrayLiteral("Internal Server Error"));
            else
                answer(socket, fault.value().status, {{"Content-Type", "application/json; charset=utf-8"}}, fault.value().jsonBody);
            next(socket);
            return;
        }
    }
    QNetworkRequest forwarded(QUrl(m_target + QString::fromLatin1(request.target)));
    for (const auto& header : request.headers) {
        if (passes(header.first))
            forwarded.setRawHeader(header.first, header.second);
    }
    forwarded.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = m_network->sendCustomRequest(forwarded, request.method, request.body);
    found->inFlight = reply;
    connect(reply, &QNetworkReply::finished, this, [this, socket, reply]() {
        reply->deleteLater();
        auto open = m_connections.find(socket);
        if (open == m_connections.end())
            return;
        open->inFlight = nullptr;
        relay(socket, reply);
        next(socket);
    });
}

void FaultProxy::relay(QTcpSocket* socket, QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 0) {
        // No answer from the service: the desktop sees the connection end, as it would without the proxy.
        socket->abort();
        return;
    }
    QList<QPair<QByteArray, QByteArray>> headers;
    for (const auto& header : reply->rawHeaderPairs()) {
        if (passes(header.first))
            headers.append(header);
    }
    const QByteArray body = reply->readAll();
    answer(socket, status, headers, m_listRows > 0 ? multiplied(body, m_listRows) : body);
}

void FaultProxy::answer(QTcpSocket* socket, int status, const QList<QPair<QByteArray, QByteArray>>& headers,
                        const QByteArray& body)
{
    const QByteArray phrase = status == 500 ? QByteArrayLiteral("Internal Server Error")
                              : status == 503 ? QByteArrayLiteral("Service Unavailable")
                              : status < 400  ? QByteArrayLiteral("OK")
                                              : QByteArrayLiteral("Error");
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " " + phrase + "\r\n";
    for (const auto& header : headers)
        head += header.first + ": " + header.second + "\r\n";
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: keep-alive\r\n\r\n";
    socket->write(head + body);
}
