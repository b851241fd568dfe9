#ifndef SCRIPTEDHTTPSERVER_H
#define SCRIPTEDHTTPSERVER_H

#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for protocol faults: each path answers with a scripted
// reply (status, headers, body, delay, no answer at all, or a connection closed half-way through
// the body), and every request it receives is recorded. Optionally speaks TLS.
class ScriptedHttpServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Reply
    {
        int status = 200;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        int delayMs = 0;
        bool hang = false;         // read the request, never answer
        bool closeMidBody = false; // announce the whole body, send half, close
    };

    struct Request
    {
        QByteArray method;
        QString path;  // without the query, still percent-encoded
        QString query; // after "?", still percent-encoded
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;

        QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
    };

    explicit ScriptedHttpServer(QObject* parent = nullptr);

    // Listens on 127.0.0.1 on a free port.
    bool start();
    // Same, but every connection must open with a TLS handshake using this certificate and key.
    bool startTls(const QSslCertificate& certificate, const QSslKey& key);

    // "http://127.0.0.1:<port>" (or https) followed by path, which starts with "/".
    QString url(const QString& path) const;
    // Points the module's API base address at url("/api/").
    void useAsApiBase() const;

    // The standing reply of a path; unscripted paths answer 404.
    void setReply(const QString& path, const Reply& reply);
    // Answers every request to the path by what the function makes of it (before any scripted reply).
    using Responder = std::function<Reply(const Request& request)>;
    void setResponder(const QString& path, Responder responder);
    // A reply used once, before the standing one.
    void enqueueReply(const QString& path, const Reply& reply);

    // A 200 reply with this body and Content-Type.
    static Reply contentReply(const QByteArray& contentType, const QByteArray& body);
    static Reply jsonReply(const QByteArray& json);
    // A reply with the service's envelope {"code", "message", "data"}.
    static Reply envelope(const QJsonValue& code, const QString& message, const QJsonValue& data = QJsonValue());
    // A page of a list: code 200 with the data {"total", "data": rows}.
    static Reply listReply(int total, const QJsonArray& rows, const QString& message = QString());
    // The "Object moved" page (status 302) some services answer with, its link as written.
    static Reply objectMoved(const QByteArray& link);

    QList<Request> requests() const { return m_requests; }
    QList<Request> requestsTo(const QString& path) const;
    void clear();

signals:
    void requestReceived(const ScriptedHttpServer::Request& request);

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    void readFrom(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Reply& reply);
    Reply replyFor(const QString& path);

    bool m_tls = false;
    QSslCertificate m_certificate;
    QSslKey m_key;
    QMap<QString, Reply> m_standing;
    QMap<QString, Responder> m_responders;
    QMap<QString, QList<Reply>> m_queued;
    QList<Request> m_requests;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};

#endif // SCRIPTEDHTTPSERVER_H
