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
#include <QSqlDatabase>
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
// The database is an SQLite file, or with KQ_TEST_BACKEND=postgresql a new database on the server
// that KQ_TEST_PG_HOST (its socket folder), KQ_TEST_PG_PORT and KQ_TEST_PG_USER name.
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
        // The ETag header, empty when there was none.
        QByteArray etag;
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

    // Starts the service on a new database and waits until it listens; check isRunning().
    explicit ReferenceService(QObject* parent = nullptr);
    // Starts another instance on an existing database and files folder (another's
    // databaseLocator() and filesDir()), which it leaves in place when it ends.
    ReferenceService(const QString& databaseLocator, const QString& filesDir, QObject* parent = nullptr);
    ~ReferenceService() override;

    // Starts the service again after stop(), on the same database and files, on a new free port;
    // false when it does not come up (errorString() says why).
    bool start();

    bool isRunning() const;
    QString errorString() const { return m_error; }

    // "sqlite", or "postgresql" when KQ_TEST_BACKEND says so.
    static QString backend();
    static QString serviceBinary();
    // A new, empty database of the backend under test, as --db takes it: sqliteFile itself, or
    // the address of a new PostgreSQL database. Empty when it cannot be made (error says why).
    static QString newDatabase(const QString& sqliteFile, QString* error);

    // "http://127.0.0.1:PORT/"
    QString baseUrl() const { return m_baseUrl; }
    // baseUrl() + "api/"
    QString apiBase() const { return m_baseUrl + QStringLiteral("api/"); }
    // Points the module's five base addresses at this service's hosts ("api/", "site/", ...).
    void useAsBaseAddresses() const;
    // What the service's --db received: the SQLite file or the PostgreSQL address.
    QString databaseLocator() const { return m_locator; }
    QString filesDir() const { return m_filesDir; }
    // The service's own database, opened under this connection name for a test to read or change
    // (QSQLITE or QPSQL, as the backend needs); an existing connection of the name is reused. The
    // SQL must suit both engines: bound values; mixed-case column names in double quotes. Once
    // every handle is gone, QSqlDatabase::removeDatabase(connectionName) frees the connection.
    QSqlDatabase inspect(const QString& connectionName) const;

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
    // The same upload, sent without waiting; wait() takes its answer.
    QNetworkReply* uploadUnwaited(const QString& path, const QMap<QString, QString>& fields, const QString& partName,
                                  const QString& fileName, const QByteArray& data,
                                  const QMap<QString, QVariant>& headers = {});

    // Form text of the pieces in order, each key and value percent-encoded as UTF-8.
    static QByteArray form(const Pieces& pieces);
    // A POST of the pieces as a form body, with the session of `who`.
    Reply call(const QString& path, const Pieces& pieces, const Headers& who = {});
    // The same POST, sent without waiting, so that several requests are in flight together;
    // wait() takes its answer.
    QNetworkReply* callUnwaited(const QString& path, const Pieces& pieces, const Headers& who = {});
    Reply wait(QNetworkReply* reply);

    // Makes exactly these right ids the selected ones of the job role, in the service's database;
    // false when the role or the database cannot be read or written.
    bool selectJobRights(int jobId, const QList<int>& rightIds);

    // Takes the database away from the running service, as an outage would: a PostgreSQL database
    // stops taking connections and the service's are ended; an SQLite file is held locked by a
    // write transaction of the test's own, so the service can read but not write. False, with
    // errorString(), when that cannot be done.
    bool cutDatabase();
    // Gives it back after cutDatabase().
    bool restoreDatabase();

    // The running service's process id, 0 when it does not run.
    qint64 processId() const { return m_process.processId(); }
    // A memory figure of the service's process from /proc in KB ("VmRSS" now, "VmHWM" the peak),
    // or -1.
    qint64 memoryKb(const QByteArray& field) const;
    // Starts the peak ("VmHWM") afresh from the memory the process holds now.
    bool resetPeakMemory() const;

    // Stops the service (SIGTERM) and returns its exit code; -1 when it crashed or had to be killed.
    int stop();

private:
    QNetworkRequest makeRequest(const QString& path, const QMap<QString, QVariant>& headers) const;

    QTemporaryDir m_dir;
    QString m_locator;
    QString m_filesDir;
    // A PostgreSQL database this object made, dropped when it ends.
    bool m_ownsDatabase = false;
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
