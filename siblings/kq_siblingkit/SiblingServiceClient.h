#ifndef SIBLINGSERVICECLIENT_H
#define SIBLINGSERVICECLIENT_H

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

using FormPieces = QList<QPair<QString, QString>>;

// Posts forms to the suite's service for the signed-in user (the host's session headers and
// cookie) and reports the envelope's verdict. A newer post supersedes an older one: only the
// latest answer is reported.
class SiblingServiceClient : public QObject
{
    Q_OBJECT
public:
    // failureText: what a refusal without a message of the service's own reports.
    explicit SiblingServiceClient(const QString& failureText, QObject* parent = nullptr);

    // MICROSITE_API_BASE, else the service on this machine; always ends with "/".
    static QString apiBase();
    // "a=1&b=2" with every key and value percent-encoded as UTF-8.
    static QByteArray formText(const FormPieces& pieces);

    // path is relative to apiBase(), e.g. "hbook/add".
    void post(const QString& path, const FormPieces& pieces);

signals:
    // The envelope's "code" was 200: its "data" and "message".
    void succeeded(const QJsonValue& data, const QString& message);
    void failed(const QString& message);

private:
    void dealReply(QNetworkReply* reply);

    QString m_failureText;
    QNetworkAccessManager* m_network;
    QNetworkReply* m_latest = nullptr;
};

#endif // SIBLINGSERVICECLIENT_H
