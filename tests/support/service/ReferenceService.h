#ifndef REFERENCESERVICE_H
#define REFERENCESERVICE_H

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

class QNetworkAccessManager;
class QNetworkRequest;
class QNetworkReply;

// Test fixture: runs the reference service on a free port of 127.0.0.1 with a fresh database and
// files folder, for as long as the object lives. The binary is $KQ_SERVICE_BIN, else kq_service in
// the build's bin folder. The helpers block (with an event loop) until the reply has arrived.
class ReferenceService : public QObject
{
    Q_OBJECT

public:
    // Session headers as login() returns them ("sessionid", "token"); empty for no session.
    using Headers = QMap<QString, QVariant>;
    // The pieces of a form body, in order.
    using Pieces = QList<QPair<QString, QString>>;

    // One answer of the service.
    struct Reply
    {
        // 0 when no HTTP answer arrived (networkError says why).
        int httpStatus = 0;
        QByteArray contentType;
        QByteArray body;
        QString networkError;
        // The JSON envelope, when the body is one.
        QJsonObject envelope;

        int code() const { return envelope.value(QStringLiteral("code")).toInt(); }
        QString message() const { return envelope.value(QStringLiteral("message")).toString(); }
        QJsonValue data() const { return envelope.value(QStringLiteral("data")); }
        // A list reply's data is {"total", "data": [rows]}.
        int total() const { return data().toObject().value(QStringLiteral("total")).toInt(); }
        QJsonArray rows() const { return data().toObject().value(QStringLiteral("data")).toArray(); }
        // Each row's "id", in order.
        QList<qint64> ids() const;
        // Each row's value under key, as text, in order.
        QStringList texts(const QString& key) const;
    };

    // Starts the service and waits until it listens; check isRunning().
    explicit ReferenceService(QObject* parent = nullptr);
    ~ReferenceService() override;

    bool isRunning() const;
    QString errorString() const { return m_error; }

    // "http://127.0.0.1:PORT/"
    QString baseUrl() const { return m_baseUrl; }
    // baseUrl() + "api/"
    QString apiBase() const { return m_baseUrl + QStringLiteral("api/"); }
    // Points the module's five base addresses at this service's hosts ("api/", "site/", ...).
    void useAsBaseAddresses() const;
    QString databasePath() const;
    QString filesDir() const;

    // Logs in through "account/initialize" and returns the session headers ("sessionid", "token")
    // in the form of DataCenter::HttpHeadMap; empty when the login fails.
    QMap<QString, QVariant> login(const QString& phone, const QString& password = QStringLiteral("demo123"));
    // The "data" of the last successful login (keys "user", "userauth", "bumens", "base", "session").
    QJsonObject lastLoginData() const { return m_lastLogin; }

    // A path is relative to baseUrl() ("api/mtore/appposts"); a full address is used as it is.
    Reply post(const QString& path, const QByteArray& formBody, const QMap<QString, QVariant>& headers = {});
    Reply get(const QString& path, const QMap<QString, QVariant>& headers = {});
    // A multipart POST with text fields and one file part.
    Reply upload(const QString& path, const QMap<QString, QString>& fields, const QString& partName,
                 const QString& fileName, const QByteArray& data, const QMap<QString, QVariant>& headers = {});

    // Form text of the pieces in order, each key and value percent-encoded as UTF-8.
    static QByteArray form(const Pieces& pieces);
    // A POST of the pieces as a form body, with the session of `who`.
    Reply call(const QString& path, const Pieces& pieces, const Headers& who = {});

    // Makes exactly these right ids the selected ones of the job role, in the service's database;
    // false when the role or the database cannot be read or written.
    bool selectJobRights(int jobId, const QList<int>& rightIds);

    // Stops the service (SIGTERM) and returns its exit code; -1 when it crashed or had to be killed.
    int stop();

private:
    QNetworkRequest makeRequest(const QString& path, const QMap<QString, QVariant>& headers) const;
    Reply wait(QNetworkReply* reply);

    QTemporaryDir m_dir;
    QProcess m_process;
    QNetworkAccessManager* m_network = nullptr;
    QString m_baseUrl;
    QString m_error;
    QJsonObject m_lastLogin;
};

// One key and value of a form body, for ReferenceService::call() and form().
QPair<QString, QString> piece(const char* key, const QString& value);
QPair<QString, QString> piece(const char* key, qint64 value);

#endif // REFERENCESERVICE_H
