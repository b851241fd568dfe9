#ifndef BOOKSERVICECLIENT_H
#define BOOKSERVICECLIENT_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

using FormPieces = QList<QPair<QString, QString>>;

// Posts a form to the suite's service for the signed-in user (the host's session headers and
// cookie) and reports the envelope's verdict once.
class BookServiceClient : public QObject
{
    Q_OBJECT
public:
    explicit BookServiceClient(QObject* parent = nullptr);

    // MICROSITE_API_BASE, else the service on this machine; always ends with "/".
    static QString apiBase();
    // "a=1&b=2" with every key and value percent-encoded as UTF-8.
    static QByteArray formText(const FormPieces& pieces);

    // path is relative to apiBase(), e.g. "hbook/add".
    void post(const QString& path, const FormPieces& pieces);

signals:
    void finished(bool ok, const QString& message);

private:
    void dealReply(QNetworkReply* reply);

    QNetworkAccessManager* m_network = nullptr;
};

#endif // BOOKSERVICECLIENT_H
