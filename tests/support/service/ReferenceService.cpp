#include "support/service/ReferenceService.h"

#include "support/service/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QHttpMultiPart>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QUrl>

namespace {

// Sanitizer builds start slowly and hash every demo password on first start.
const int kStartTimeoutMs = 60000;
const int kReplyTimeoutMs = 30000;

QString serviceBinary()
{
    const QString fromEnvironment = qEnvironmentVariable("KQ_SERVICE_BIN");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStringLiteral(KQ_BIN_DIR "/kq_service");
}

} // namespace

ReferenceService::ReferenceService(QObject* parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("cannot create a temporary folder");
        return;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(serviceBinary(), {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"),
                                      databasePath(), QStringLiteral("--files"), filesDir()});
    if (!m_process.waitForStarted(kStartTimeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(serviceBinary(), m_process.errorString());
        return;
    }
    static const QRegularExpression listening(QStringLiteral("^kq_service listening on (http://127\\.0\\.0\\.1:\\d+/)$"));
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (m_baseUrl.isEmpty() && !deadline.hasExpired()) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        while (m_process.canReadLine()) {
            const QRegularExpressionMatch match =
                listening.match(QString::fromUtf8(m_process.readLine()).trimmed());
            if (match.hasMatch())
                m_baseUrl = match.captured(1);
        }
    }
    if (m_baseUrl.isEmpty()) {
        m_error = QStringLiteral("the service did not announce its address (%1)").arg(m_process.errorString());
        stop();
    }
}

ReferenceService::~ReferenceService()
{
    stop();
}

bool ReferenceService::isRunning() const
{
    return !m_baseUrl.isEmpty() && m_process.state() == QProcess::Running;
}

QString ReferenceService::databasePath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("service.sqlite"));
}

QString ReferenceService::filesDir() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("files"));
}

void ReferenceService::useAsBaseAddresses() const
{
    qputenv("MICROSITE_API_BASE", (m_baseUrl + QStringLiteral("api/")).toUtf8());
    qputenv("MICROSITE_SITE_BASE", (m_baseUrl + QStringLiteral("site/")).toUtf8());
    qputenv("MICROSITE_OFFICE_BASE", (m_baseUrl + QStringLiteral("office/")).toUtf8());
    qputenv("MICROSITE_HELP_BASE", (m_baseUrl + QStringLiteral("help/")).toUtf8());
    qputenv("MICROSITE_SECURE_BASE", (m_baseUrl + QStringLiteral("secure/")).toUtf8());
    TestEnvironment::addressesChanged();
}

QMap<QString, QVariant> ReferenceService::login(const QString& phone, const QString& password)
{
    const Reply reply = post(QStringLiteral("api/account/initialize"),
                             form({{QStringLiteral("phone"), phone}, {QStringLiteral("password"), password}}));
    if (reply.code() != 200)
        return {};
    m_lastLogin = reply.data().toObject();
    const QJsonObject session = m_lastLogin.value(QStringLiteral("session")).toObject();
    return {{QStringLiteral("sessionid"), session.value(QStringLiteral("sessionid")).toString()},
            {QStringLiteral("token"), session.value(QStringLiteral("token")).toString()}};
}

QList<qint64> ReferenceService::Reply::ids() const
{
    QList<qint64> list;
    for (const QJsonValue& row : rows())
        list.append(row.toObject().value(QStringLiteral("id")).toVariant().toLongLong());
    return list;
}

QStringList ReferenceService::Reply::texts(const QString& key) const
{
    QStringList list;
    for (const QJsonValue& row : rows())
        list.append(row.toObject().value(key).toVariant().toString());
    return list;
}

ReferenceService::Reply ReferenceService::call(const QString& path, const Pieces& pieces, const Headers& who)
{
    return post(path, form(pieces), who);
}

bool ReferenceService::selectJobRights(int jobId, const QList<int>& rightIds)
{
    const QString connection = QStringLiteral("job-rights");
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath());
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT content FROM job_auth WHERE job_id = ?"));
            query.addBindValue(jobId);
            if (query.exec() && query.next()) {
                QJsonArray entries = QJsonDocument::fromJson(query.value(0).toString().toUtf8()).array();
                for (int i = 0; i < entries.size(); ++i) {
                    QJsonObject entry = entries.at(i).toObject();
                    entry.insert(QStringLiteral("selected"), rightIds.contains(entry.value(QStringLiteral("id")).toInt()));
                    entries.replace(i, entry);
                }
                QSqlQuery update(db);
                update.prepare(QStringLiteral("UPDATE job_auth SET content = ? WHERE job_id = ?"));
                update.addBindValue(QString::fromUtf8(QJsonDocument(entries).toJson(QJsonDocument::Compact)));
                update.addBindValue(jobId);
                written = update.exec();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return written;
}

QByteArray ReferenceService::form(const Pieces& pieces)
{
    QByteArrayList encoded;
    for (const auto& piece : pieces)
        encoded.append(QUrl::toPercentEncoding(piece.first) + '=' + QUrl::toPercentEncoding(piece.second));
    return encoded.join('&');
}

QNetworkRequest ReferenceService::makeRequest(const QString& path, const QMap<QString, QVariant>& headers) const
{
    const QString address = path.startsWith(QLatin1String("http")) ? path : m_baseUrl + path;
    QNetworkRequest request{QUrl(address)};
    for (auto it = headers.cbegin(); it != headers.cend(); ++it)
        request.setRawHeader(it.key().toUtf8(), it.value().toString().toUtf8());
    return request;
}

ReferenceService::Reply ReferenceService::post(const QString& path, const QByteArray& formBody,
                                               const QMap<QString, QVariant>& headers)
{
    QNetworkRequest request = makeRequest(path, headers);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    return wait(m_network->post(request, formBody));
}

ReferenceService::Reply ReferenceService::get(const QString& path, const QMap<QString, QVariant>& headers)
{
    return wait(m_network->get(makeRequest(path, headers)));
}

ReferenceService::Reply ReferenceService::upload(const QString& path, const QMap<QString, QString>& fields,
                                                 const QString& partName, const QString& fileName,
                                                 const QByteArray& data, const QMap<QString, QVariant>& headers)
{
    auto* multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        QHttpPart field;
        field.setHeader(QNetworkRequest::ContentDispositionHeader,
                        QStringLiteral("form-data; name=\"%1\"").arg(it.key()));
        field.setBody(it.value().toUtf8());
        multiPart->append(field);
    }
    QHttpPart file;
    file.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QStringLiteral("form-data; name=\"%1\"; filename=\"%2\"").arg(partName, fileName));
    file.setBody(data);
    multiPart->append(file);
    QNetworkReply* reply = m_network->post(makeRequest(path, headers), multiPart);
    multiPart->setParent(reply);
    return wait(reply);
}

ReferenceService::Reply ReferenceService::wait(QNetworkReply* reply)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(&timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
    timeout.start(kReplyTimeoutMs);
    if (!reply->isFinished())
        loop.exec();

    Reply result;
    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString().toUtf8();
    result.body = reply->readAll();
    if (reply->error() != QNetworkReply::NoError)
        result.networkError = reply->errorString();
    const QJsonDocument document = QJsonDocument::fromJson(result.body);
    if (document.isObject())
        result.envelope = document.object();
    reply->deleteLater();
    return result;
}

int ReferenceService::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    m_process.terminate();
    if (!m_process.waitForFinished(15000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return -1;
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QPair<QString, QString> piece(const char* key, const QString& value)
{
    return qMakePair(QString::fromUtf8(key), value);
}

QPair<QString, QString> piece(const char* key, qint64 value)
{
    return piece(key, QString::number(value));
}
