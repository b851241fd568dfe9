#ifndef NETREQUESTOBJECET_H
#define NETREQUESTOBJECET_H

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

class FormBody;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QUrl;

// The one way the module talks to the service: sends a request, judges the JSON envelope of the
// reply ("code", "message", "data") and reports the outcome by signals. A page makes one per call
// with itself as parent; the object stays until its parent goes and may be reused.
class NetRequestObjecet : public QObject
{
    Q_OBJECT
public:
    enum Method { Post = 0, Get = 1, Delete = 2, Put = 3 };
    enum ContentType { FormEncoded = 0, Json = 1 };

    explicit NetRequestObjecet(QObject* parent = nullptr);
    ~NetRequestObjecet() override;

    // Sends body unchanged with the form content type: GET to url as it is for method 1 (the
    // caller has put any query into it), POST with body for every other method.
    QNetworkReply* sendRequest(const QString& url, const QByteArray& body = QByteArray(), int method = Post);
    // Sends a form: as the body for POST and PUT, as the query for GET and DELETE.
    QNetworkReply* sendForm(const QString& url, const FormBody& form, int method = Post);
    // contentType 0: a map sent as a form (sendForm). contentType 1: a list or map as JSON text, a
    // string as it is, with POST or PUT only.
    QNetworkReply* sendParams(const QString& url, const QVariant& params, int method = Post,
                              int contentType = FormEncoded);
    // Multipart upload of one local file under the part name, after the form fields. Returns null
    // (having emitted loadFail and loadFinish) when the file cannot be opened.
    QNetworkReply* uploadFile(const QString& url, const QString& filePath,
                              const QMap<QString, QVariant>& fields, const QString& partName);
    // Downloads the address into a file of the folder (created when missing), named after the MD5
    // of the address and the address's last part. The file appears only once complete.
    QNetworkReply* downloadFile(const QString& url, const QString& folder);
    // The file downloadFile() writes for an address (after "http://" was put in front if needed).
    static QString downloadPath(const QString& url, const QString& folder);

    void disableAlert();
    bool showAlert() const { return m_showAlert; }
    // An upload's failure is the caller's to tell (it knows which photo): no "上传文件错误！",
    // "上传文件失败！" or refusal warning of its own; a lost login still goes to the host.
    void disableUploadAlert();

    // A request whose transfer stalls for this long fails like a network error.
    void setTransferTimeout(int ms);
    int transferTimeout() const { return m_transferTimeout; }

    QString url() const { return m_url; }
    QByteArray body() const { return m_body; }
    QString resultText() const { return m_resultText; }
    int method() const { return m_method; }
    int contentType() const { return m_contentType; }
    QString message() const { return m_message; }
    // Why the last request failed, in words for the user ("请求超时", "服务返回的数据无法识别", the
    // service's own message ...); also sent with "request_fail" as "reason".
    QString failureReason() const { return m_failureReason; }

    // At most this many "Object moved" pages are followed in a row before the request fails.
    static constexpr int MaxRedirects = 5;
    // A reply body larger than this is read on a worker thread, so that a faulty service's huge
    // list never holds the desktop still while it is parsed; its outcome follows by the event loop.
    static constexpr int ParseOnGuiThreadBytes = 1024 * 1024;

    // Called with every request as it leaves, its address and body set: lets tests and diagnostics
    // see what a page sent after the request object itself has gone.
    using SendObserver = std::function<void(const NetRequestObjecet& request)>;
    static void setSendObserver(SendObserver observer);

    // "接口使用错误！" (an address of a test or office server) is shown once per session; this starts
    // a new one, so the next such address warns again.
    static void resetAddressWarning();

    static QList<QVariantMap> jsonToMapList(const QString& json);
    static QVariantMap jsonToMap(const QString& json);
    static QString listToJson(const QVariantList& list);
    static QString mapToJson(const QVariantMap& map);
    static QString mapListToJson(const QList<QVariantMap>& list);
    static QString md5Hex(const QString& text);

signals:
    void loadFinish();
    void loadSuccess(const QJsonValue& result);
    void loadSuccessFromExternalAPI(const QByteArray& result);
    void loadFail(int code, const QString& msg);
    void fileUploadProgress(qint64 bytesSent, qint64 bytesTotal);
    void fileUploadSuccess(const QString& address);
    void fileDownloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void downloadFileSuccess(const QString& filename);

public slots:
    void loadResult(QNetworkReply* reply);
    void downloadFileDeal(QNetworkReply* reply);

private:
    enum class Kind { Request, Upload, Download };

    void dispatchReply(QNetworkReply* reply);
    void uploadResult(QNetworkReply* reply);
    QNetworkReply* send(const QString& url, const QByteArray& body, int method, int contentType);
    QNetworkRequest prepareRequest(const QString& url, int contentType);
    QNetworkReply* track(QNetworkReply* reply, Kind kind, const QString& url);
    // A request that cannot start (no file to read or write): loadFail(0, message), loadFinish().
    void failBeforeSending(const QString& message);
    // The service's refusals that carry a message: 405 (a warning for the user) and 400 (the login
    // is lost). Returns whether the code was one of them.
    bool dealRefusal(int code);
    // Follows an "Object moved" page: its link resolved against the reply's address, asked with the
    // same method and body. False when it names no address or too many were followed.
    bool followRedirect(const QString& page, const QUrl& replyUrl);
    // What a request's reply body says, read once (on whichever thread).
    struct ReadBody
    {
        QString text;
        bool recognised = false;
        int code = 0;
        QString message;
        QJsonValue data;
    };
    static ReadBody readBody(const QByteArray& bytes);
    // The outcome of a request whose reply body has been read.
    void dealBody(QNetworkReply* reply, const ReadBody& body);
    void storeNetworkError(QNetworkReply* reply);
    // Tells the host through the hub ("request_fail").
    // loadFail, then "request_fail" to the host; false when a listener deleted this object.
    bool fail(int code, const QString& message, QNetworkReply* reply);
    void reportFailure(int code, QNetworkReply* reply);

    QNetworkAccessManager* m_manager = nullptr;
    QString m_url;
    QByteArray m_body;
    QString m_resultText;
    int m_method = Post;
    int m_contentType = FormEncoded;
    QString m_message;
    QString m_failureReason;
    bool m_showAlert = true;
    bool m_uploadAlert = true;

    int m_transferTimeout = 30000;
    int m_redirects = 0;
};

#endif // NETREQUESTOBJECET_H
