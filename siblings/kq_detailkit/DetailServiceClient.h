#ifndef DETAILSERVICECLIENT_H
#define DETAILSERVICECLIENT_H

#include <QJsonValue>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the suite's service for one record for the signed-in user (the host's session headers and
// cookie) and reports the envelope's data or its message. A newer request supersedes an older
// one: only the latest answer is reported.
class DetailServiceClient : public QObject
{
    Q_OBJECT
public:
    explicit DetailServiceClient(QObject* parent = nullptr);

    // MICROSITE_API_BASE, else the service on this machine; always ends with "/".
    static QString apiBase();

    // Posts "id=<id>" to path, relative to apiBase() (e.g. "nhouse/detail").
    void fetch(const QString& path, qint64 id);

signals:
    void loaded(const QJsonValue& data);
    void failed(const QString& message);

private:
    void dealReply(QNetworkReply* reply);

    QNetworkAccessManager* m_network;
    QNetworkReply* m_latest = nullptr;
};

#endif // DETAILSERVICECLIENT_H
