#include "net/http/NetRequestObjecet.h"

#include "net/http/FormBody.h"
#include "net/http/ServiceAddresses.h"
#include "net/http/UserNotice.h"

#include "CommonSignalTool.h"
#include "DataCenter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHttpMultiPart>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeDatabase>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace {

const char* const KindProperty = "kqReplyKind";
const char* const UrlProperty = "kqReplyUrl";

NetRequestObjecet::SendObserver& sendObserver()
{
    static NetRequestObjecet::SendObserver observer;
    return observer;
}

// Whether "接口使用错误！" was shown in this session: a service on a 192.168 office network would
// otherwise raise it with every request.
bool& addressWarningShown()
{
    static bool shown = false;
    return shown;
}

const QString& mainWindowName()
{
    static const QString name = QStringLiteral("main");
    return name;
}

struct Envelope
{
    bool recognised = false; // a JSON object with a "code"
    int code = 0;
    QString message;
    QJsonValue data;
};

// The service wraps every answer as {"code", "message", "data"}; a body that is not a JSON object
// reads as code 0 with an empty message.
Envelope parseEnvelope(const QByteArray& body)
{
    Envelope envelope;
    const QJsonObject object = QJsonDocument::fromJson(body).object();
    const QJsonValue code = object.value(QLatin1String("code"));
    envelope.recognised = code.isDouble() || code.isString();
    if (code.isDouble())
        envelope.code = code.toInt();
    else if (code.isString())
        envelope.code = code.toString().trimmed().toInt();
    const QJsonValue message = object.value(QLatin1String("message"));
    envelope.message = message.isString() ? message.toString() : message.toVariant().toString();
    envelope.data = object.value(QLatin1String("data"));
    if (envelope.data.isNull() || envelope.data.isUndefined())
        envelope.data = QJsonValue(QString());
    return envelope;
}

// The host answers a lost login with a modal dialog: it is asked once the reply has been handled,
// never from inside it, and once for all the replies that lost the login meanwhile.
void postLostLogin(const QString& message)
{
    static bool pending = false;
    if (pending)
        return;
    pending = true;
    QTimer::singleShot(0, CommonSignalTool::Instance(), [message] {
        QVariantMap lost;
        lost.insert(QStringLiteral("use"), QStringLiteral("again_login"));
        lost.insert(QStringLiteral("message"), message);
        CommonSignalTool::Instance()->send_lostLogin(lost, nullptr);
        pending = false;
    });
}

// What went wrong with a reply the network reported as failed, for the user. An HTTP error the
// service answered with its envelope says why in the service's own words (a storage outage: 503).
QString networkFailureReason(const QNetworkReply* reply, const QByteArray& body)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        const Envelope envelope = parseEnvelope(body);
        if (envelope.recognised && !envelope.message.trimmed().isEmpty())
            return envelope.message.trimmed();
    }
    if (status >= 500)
        return QStringLiteral("服务暂时不可用（%1），请稍后重试").arg(status);
    if (status >= 400)
        return QStringLiteral("服务拒绝了请求（%1）").arg(status);
    switch (reply->error()) {
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // the transfer timeout aborts the reply
        return QStringLiteral("请求超时");
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("无法连接到服务");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("安全连接失败");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("请求重定向次数过多！");
    default:
        return QStringLiteral("网络连接中断");
    }
}

// The failure of a reply that came whole, for the user.
QString replyFailureReason(const Envelope& envelope)
{
    if (!envelope.recognised)
        return QStringLiteral("服务返回的数据无法识别");
    if (!envelope.message.isEmpty())
        return envelope.message;
    return QStringLiteral("服务返回错误（%1）").arg(envelope.code);
}

// Addresses may come without a scheme; the service speaks plain HTTP then.
QString withScheme(const QString& url)
{
    if (url.contains(QLatin1String("http://")) || url.contains(QLatin1String("https://")))
        return url;
    return QStringLiteral("http://%1").arg(url);
}

// Multipart header parameters are quoted strings; quotes and line breaks would end them early.
QString quotedParameter(QString text)
{
    text.replace(QLatin1Char('"'), QLatin1String("%22"));
    text.replace(QLatin1Char('\r'), QLatin1String("%0D"));
    text.replace(QLatin1Char('\n'), QLatin1String("%0A"));
    return text;
}

} // namespace

NetRequestObjecet::NetRequestObjecet(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("NetRequestObjecet"));
    // A child of this object, so it never outlives it even when the object has no parent.
    // Certificate errors are deliberately left unhandled: the reply then fails like any other
    // network error.
    m_manager = new QNetworkAccessManager(this);
    connect(m_manager, &QNetworkAccessManager::finished, this, &NetRequestObjecet::dispatchReply);
}

NetRequestObjecet::~NetRequestObjecet() = default;

QNetworkReply* NetRequestObjecet::sendRequest(const QString& url, const QByteArray& body, int method)
{
    m_redirects = 0;
    if (method == Get)
        return send(url, QByteArray(), Get, FormEncoded);
    return send(url, body, Post, FormEncoded);
}

QNetworkReply* NetRequestObjecet::sendForm(const QString& url, const FormBody& form, int method)
{
    m_redirects = 0;
    if (method == Get || method == Delete)
        return send(form.appendedTo(url), QByteArray(), method, FormEncoded);
    return send(url, form.toByteArray(), method == Put ? Put : Post, FormEncoded);
}

QNetworkReply* NetRequestObjecet::sendParams(const QString& url, const QVariant& params, int method,
                                             int contentType)
{
    if (contentType == FormEncoded) {
        const bool isMap = params.userType() == QMetaType::QVariantMap;
        return sendForm(url, isMap ? FormBody::fromMap(params.toMap()) : FormBody(), method);
    }

    m_redirects = 0;
    if (method == Get || method == Delete)
        return send(url, QByteArray(), method, contentType);

    QByteArray body;
    if (contentType == Json) {
        switch (params.userType()) {
        case QMetaType::QVariantList:
        case QMetaType::QStringList:
            body = listToJson(params.toList()).toUtf8();
            break;
        case QMetaType::QVariantMap:
            body = mapToJson(params.toMap()).toUtf8();
            break;
        case QMetaType::QString:
            body = params.toString().toUtf8();
            break;
        default:
            break;
        }
    }
    return send(url, body, method == Put ? Put : Post, contentType);
}

QNetworkReply* NetRequestObjecet::uploadFile(const QString& url, const QString& filePath,
                                             const QMap<QString, QVariant>& fields,
                                             const QString& partName)
{
    m_redirects = 0;
    auto* file = new QFile(filePath);
    if (!file->open(QIODevice::ReadOnly)) {
        delete file;
        failBeforeSending(QStringLiteral("文件打开失败！"));
        return nullptr;
    }

    auto* multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
        QString text;
        if (!FormBody::formatValue(it.value(), &text))
            continue;
        QHttpPart part;
        part.setRawHeader("Content-Disposition",
                          QStringLiteral("form-data; name=\"%1\"").arg(quotedParameter(it.key())).toUtf8());
        part.setBody(text.toUtf8());
        multiPart->append(part);
    }

    QString fileName = filePath.split(QLatin1Char('/')).constLast();
    if (fileName.isEmpty())
        fileName = QStringLiteral("filename.jpg");
    QHttpPart filePart;
    filePart.setRawHeader("Content-Disposition",
                          QStringLiteral("form-data; name=\"%1\"; filename=\"%2\"")
                              .arg(quotedParameter(partName), quotedParameter(fileName))
                              .toUtf8());
    const QString mimeType = QMimeDatabase().mimeTypeForFile(filePath, QMimeDatabase::MatchExtension).name();
    filePart.setHeader(QNetworkRequest::ContentTypeHeader, mimeType);
    filePart.setBodyDevice(file);
    file->setParent(multiPart);
    multiPart->append(filePart);

    m_url = url;
    m_body.clear();
    m_method = Post;
    m_contentType = -1;
    // The multipart object sets its own content type with the boundary.
    QNetworkReply* reply = m_manager->post(prepareRequest(url, -1), multiPart);
    multiPart->setParent(reply);
    connect(reply, &QNetworkReply::uploadProgress, this, &NetRequestObjecet::fileUploadProgress);
    return track(reply, Kind::Upload, url);
}

QString NetRequestObjecet::downloadPath(const QString& url, const QString& folder)
{
    const QString address = withScheme(url);

    QString tail = address.section(QLatin1Char('#'), 0, 0).section(QLatin1Char('?'), 0, 0);
    tail = tail.section(QLatin1Char('/'), -1);
    // Keep the name portable: no characters that some file system refuses, no escapes.
    static const QString refused = QStringLiteral("%\\:*?\"<>|");
    for (const QChar c : refused)
        tail.remove(c);
    tail = tail.right(64);

    const QString key = md5Hex(address);
    const QString name = tail.isEmpty() ? key : QStringLiteral("%1-%2").arg(key, tail);
    return QStringLiteral("%1/%2").arg(folder, name);
}

QNetworkReply* NetRequestObjecet::downloadFile(const QString& url, const QString& folder)
{
    if (url.isEmpty()) {
        emit loadFinish();
        return nullptr;
    }
    // Without a folder the file would land in the file system's root.
    if (folder.isEmpty()) {
        failBeforeSending(QStringLiteral("文件保存失败！"));
        return nullptr;
    }
    const QString address = withScheme(url);

    // The bytes go to a temporary file that only replaces the target once the transfer is
    // complete, so a broken download never leaves a half file behind.
    QDir().mkpath(folder);
    auto* file = new QSaveFile(downloadPath(address, folder));
    if (!file->open(QIODevice::WriteOnly)) {
        delete file;
        failBeforeSending(QStringLiteral("文件保存失败！"));
        return nullptr;
    }

    QNetworkRequest request{QUrl(address)};
    request.setRawHeader("dump", "3");
    request.setTransferTimeout(m_transferTimeout);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);

    m_url = address;
    m_body.clear();
    m_method = Get;

    QNetworkReply* reply = m_manager->get(request);
    file->setParent(reply);
    connect(reply, &QIODevice::readyRead, file, [reply, file]() { file->write(reply->readAll()); });
    connect(reply, &QNetworkReply::downloadProgress, this, &NetRequestObjecet::fileDownloadProgress);
    return track(reply, Kind::Download, address);
}

void NetRequestObjecet::disableAlert()
{
    m_showAlert = false;
}

void NetRequestObjecet::disableUploadAlert()
{
    m_uploadAlert = false;
}

void NetRequestObjecet::setTransferTimeout(int ms)
{
    m_transferTimeout = ms;
}

QNetworkReply* NetRequestObjecet::send(const QString& url, const QByteArray& body, int method, int contentType)
{
    m_url = url;
    m_body = body;
    m_method = method;
    m_contentType = contentType;

    const QNetworkRequest request = prepareRequest(url, contentType);
    QNetworkReply* reply = nullptr;
    switch (method) {
    case Get:
        reply = m_manager->get(request);
        break;
    case Delete:
        reply = m_manager->deleteResource(request);
        break;
    case Put:
        reply = m_manager->put(request, body);
        break;
    default:
        reply = m_manager->post(request, body);
        break;
    }
    return track(reply, Kind::Request, url);
}

QNetworkRequest NetRequestObjecet::prepareRequest(const QString& url, int contentType)
{
    if (!addressWarningShown()
        && (url.contains(QLatin1String("192.")) || url.contains(QLatin1String("test01."))
            || url.contains(QLatin1String("test02.")))) {
        addressWarningShown() = true;
        UserNotice::show(UserNotice::Kind::Error, QStringLiteral("接口使用错误！"), mainWindowName());
    }

    QNetworkRequest request{QUrl(url)};
    for (auto it = DataCenter::HttpHeadMap.constBegin(); it != DataCenter::HttpHeadMap.constEnd(); ++it)
        request.setRawHeader(it.key().toUtf8(), it.value().toString().toUtf8());
    request.setRawHeader("dump", "3");

    const QVariant& cookie = DataCenter::CookieVar;
    if (cookie.canConvert<QList<QNetworkCookie>>() || cookie.canConvert<QNetworkCookie>())
        request.setHeader(QNetworkRequest::CookieHeader, cookie);
    else if (!cookie.toString().isEmpty())
        request.setRawHeader("Cookie", cookie.toString().toUtf8());

    if (contentType == FormEncoded)
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    else if (contentType == Json)
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));

    request.setTransferTimeout(m_transferTimeout);
    return request;
}

QNetworkReply* NetRequestObjecet::track(QNetworkReply* reply, Kind kind, const QString& url)
{
    reply->setProperty(KindProperty, static_cast<int>(kind));
    reply->setProperty(UrlProperty, url);
    if (const SendObserver& observer = sendObserver())
        observer(*this);
    return reply;
}

void NetRequestObjecet::resetAddressWarning()
{
    addressWarningShown() = false;
}

void NetRequestObjecet::setSendObserver(SendObserver observer)
{
    sendObserver() = std::move(observer);
}

void NetRequestObjecet::dispatchReply(QNetworkReply* reply)
{
    switch (static_cast<Kind>(reply->property(KindProperty).toInt())) {
    case Kind::Upload:
        uploadResult(reply);
        break;
    case Kind::Download:
        downloadFileDeal(reply);
        break;
    case Kind::Request:
        loadResult(reply);
        break;
    }
}

void NetRequestObjecet::loadResult(QNetworkReply* reply)
{
    if (!reply)
        return;
    QPointer<NetRequestObjecet> self(this);

    if (reply->error() != QNetworkReply::NoError) {
        m_redirects = 0;
        storeNetworkError(reply);
        if (!fail(0, reply->errorString(), reply))
            return;
    } else {
        const QByteArray bytes = reply->readAll();
        m_resultText = QString::fromUtf8(bytes);
        const Envelope envelope = parseEnvelope(bytes);
        m_message = envelope.message;
        m_failureReason = replyFailureReason(envelope);

        if (envelope.code == 200) {
            m_redirects = 0;
            emit loadSuccess(envelope.data);
        } else {
            if (!dealRefusal(envelope.code) && m_resultText.contains(QLatin1String("Object moved"))
                && followRedirect(m_resultText, reply->url())) {
                // The followed request reports the outcome.
                reply->deleteLater();
                return;
            }
            m_redirects = 0;
            if (!fail(envelope.code, m_message, reply))
                return;
        }
    }
    if (!self)
        return;
    emit loadFinish();
    reply->deleteLater();
}

void NetRequestObjecet::uploadResult(QNetworkReply* reply)
{
    QPointer<NetRequestObjecet> self(this);
    if (reply->error() != QNetworkReply::NoError) {
        storeNetworkError(reply);
        if (m_showAlert && m_uploadAlert)
            UserNotice::show(UserNotice::Kind::Error, QStringLiteral("上传文件错误！"), mainWindowName());
        if (!fail(0, reply->errorString(), reply))
            return;
    } else {
        const QByteArray bytes = reply->readAll();
        m_resultText = QString::fromUtf8(bytes);
        const Envelope envelope = parseEnvelope(bytes);
        m_message = envelope.message;
        m_failureReason = replyFailureReason(envelope);
        if (envelope.code == 200) {
            emit fileUploadSuccess(m_message);
        } else {
            // Without upload alerts the caller says why; a lost login still goes to the host.
            const bool told = m_uploadAlert ? dealRefusal(envelope.code) : envelope.code == 400 && dealRefusal(400);
            if (!told && m_showAlert && m_uploadAlert)
                UserNotice::show(UserNotice::Kind::Error, QStringLiteral("上传文件失败！"), mainWindowName());
            if (!fail(envelope.code, m_message, reply))
                return;
        }
    }
    if (!self)
        return;
    reply->deleteLater();
    emit loadFinish();
}

void NetRequestObjecet::downloadFileDeal(QNetworkReply* reply)
{
    if (!reply)
        return;
    QPointer<NetRequestObjecet> self(this);
    auto* file = reply->findChild<QSaveFile*>();

    if (reply->error() != QNetworkReply::NoError) {
        if (file)
            file->cancelWriting();
        storeNetworkError(reply);
        if (!fail(0, reply->errorString(), reply))
            return;
    } else {
        bool written = false;
        if (file) {
            file->write(reply->readAll());
            written = file->commit();
        }
        if (written) {
            emit downloadFileSuccess(file->fileName());
        } else {
            m_message = QStringLiteral("文件保存失败！");
            m_failureReason = m_message;
            if (!fail(0, m_message, reply))
                return;
        }
    }
    if (!self)
        return;
    emit loadFinish();
    reply->deleteLater();
}

void NetRequestObjecet::failBeforeSending(const QString& message)
{
    m_failureReason = message;
    QPointer<NetRequestObjecet> self(this);
    emit loadFail(0, message);
    if (self)
        emit loadFinish();
}

bool NetRequestObjecet::dealRefusal(int code)
{
    if (m_message.isEmpty())
        return false;
    if (code == 405) {
        if (m_showAlert)
            UserNotice::post(UserNotice::Kind::Warning, m_message, mainWindowName());
        return true;
    }
    if (code == 400) {
        if (m_showAlert) {
            DataCenter::UserOnline = false;
            postLostLogin(m_message);
        }
        return true;
    }
    return false;
}

bool NetRequestObjecet::followRedirect(const QString& page, const QUrl& replyUrl)
{
    const QString marker = QStringLiteral("<a href=\"");
    const int start = page.indexOf(marker);
    if (start < 0)
        return false;
    QString link = page.mid(start + marker.size());
    link = link.left(link.indexOf(QLatin1Char('"')));
    // The link is written as in the page: relative to it, from its host's root, or whole.
    const QUrl target = replyUrl.resolved(QUrl(link));
    if (link.isEmpty() || !target.isValid() || (target.scheme() != QLatin1String("http")
                                                 && target.scheme() != QLatin1String("https"))) {
        return false;
    }
    // A service that keeps moving the request would otherwise be asked for ever.
    if (m_redirects >= MaxRedirects) {
        m_message = QStringLiteral("请求重定向次数过多！");
        m_failureReason = m_message;
        return false;
    }
    ++m_redirects;
    // The same request again, at the new place.
    send(target.toString(), m_body, m_method, m_contentType);
    return true;
}

void NetRequestObjecet::storeNetworkError(QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_resultText = QStringLiteral("网络加载错误code: %1 \n错误信息：%2\n%3")
                       .arg(QString::number(status), reply->errorString(), reply->url().toString());
    m_message = m_resultText;
    m_failureReason = networkFailureReason(reply, reply->readAll());
}

bool NetRequestObjecet::fail(int code, const QString& message, QNetworkReply* reply)
{
    // A listener may delete this object from its loadFail slot.
    QPointer<NetRequestObjecet> self(this);
    emit loadFail(code, message);
    if (!self)
        return false;
    reportFailure(code, reply);
    return true;
}

void NetRequestObjecet::reportFailure(int code, QNetworkReply* reply)
{
    QVariantMap failure;
    failure.insert(QStringLiteral("code"), code);
    failure.insert(QStringLiteral("message"), m_message);
    failure.insert(QStringLiteral("isShowAlert"), m_showAlert);
    failure.insert(QStringLiteral("url"), reply->property(UrlProperty).toString());
    failure.insert(QStringLiteral("reason"), m_failureReason);
    CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("request_fail"), failure, nullptr);
}

QList<QVariantMap> NetRequestObjecet::jsonToMapList(const QString& json)
{
    QList<QVariantMap> list;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return list;
    const QJsonArray array = document.array();
    for (const QJsonValue& value : array) {
        if (value.isObject())
            list.append(value.toObject().toVariantMap());
    }
    return list;
}

QVariantMap NetRequestObjecet::jsonToMap(const QString& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    return document.isObject() ? document.object().toVariantMap() : QVariantMap();
}

QString NetRequestObjecet::listToJson(const QVariantList& list)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromVariantList(list)).toJson(QJsonDocument::Compact));
}

QString NetRequestObjecet::mapToJson(const QVariantMap& map)
{
    return QString::fromUtf8(QJsonDocument(QJsonObject::fromVariantMap(map)).toJson(QJsonDocument::Compact));
}

QString NetRequestObjecet::mapListToJson(const QList<QVariantMap>& list)
{
    QJsonArray array;
    for (const QVariantMap& map : list)
        array.append(QJsonObject::fromVariantMap(map));
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QString NetRequestObjecet::md5Hex(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toLatin1(), QCryptographicHash::Md5).toHex());
}
