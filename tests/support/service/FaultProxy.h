#ifndef FAULTPROXY_H
#define FAULTPROXY_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTcpServer>

class QNetworkAccessManager;
class QNetworkReply;
class QTcpSocket;

// Stands between the desktop and the reference service on 127.0.0.1 and passes every request on,
// unless told to fail: chosen paths answer an HTTP error, or the whole service seems stopped.
// So a whole-task suite can make one save fail while everything around it works.
class FaultProxy : public QTcpServer
{
    Q_OBJECT
public:
    // target: the service's base address, "http://127.0.0.1:PORT/".
    explicit FaultProxy(const QString& target, QObject* parent = nullptr);

    // Listens on a free port of 127.0.0.1.
    bool start();
    // "http://127.0.0.1:PORT/"
    QString baseUrl() const;
    // Points the module's five base addresses at the proxy; pictures the service hands out name the
    // service itself, so its address counts as a file host too.
    void useAsBaseAddresses() const;

    // Requests whose path (without the query) ends with pathEnd are answered with this status and
    // the body "Internal Server Error" (or jsonBody, as the service's own envelope), without reaching
    // the service.
    void failPath(const QString& pathEnd, int httpStatus = 500, const QByteArray& jsonBody = QByteArray());
    void clearFaults();
    // Down: connections are refused (the port is closed) and open ones are dropped, as when the
    // service has stopped; up again on the same port.
    void setDown(bool down);
    bool isDown() const { return m_down; }

    // From now on every list in a JSON reply holds `rows` elements, its own repeated in turn: a
    // faulty or hostile service that sends far more than asked. Lists inside a repeated element
    // stay as they are; empty lists stay empty. 0 passes replies unchanged.
    void multiplyLists(int rows) { m_listRows = rows; }
    // A JSON text with every list made `rows` long, as above; other bodies unchanged.
    static QByteArray multiplied(const QByteArray& body, int rows);

    // Every path asked through the proxy, in order (also those that failed).
    QStringList requestPaths() const { return m_paths; }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    struct Pending
    {
        QByteArray method;
        QByteArray target;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
    };
    struct Connection
    {
        QByteArray buffer;
        QList<Pending> queue;
        QPointer<QNetworkReply> inFlight;
    };

    void readFrom(QTcpSocket* socket);
    void next(QTcpSocket* socket);
    void relay(QTcpSocket* socket, QNetworkReply* reply);
    static void answer(QTcpSocket* socket, int status, const QList<QPair<QByteArray, QByteArray>>& headers,
                       const QByteArray& body);

    QString m_target;
    quint16 m_port = 0;
    bool m_down = false;
    int m_listRows = 0;
    struct Fault
    {
        int status = 500;
        QByteArray jsonBody;
    };
    QMap<QString, Fault> m_faults;
    QStringList m_paths;
    QHash<QTcpSocket*, Connection> m_connections;
    QNetworkAccessManager* m_network;
};

#endif // FAULTPROXY_H
