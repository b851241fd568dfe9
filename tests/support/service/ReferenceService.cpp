#include "support/service/ReferenceService.h"

#include "support/service/TestEnvironment.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHttpMultiPart>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QUrl>

namespace {

// Sanitizer builds start slowly and hash every demo password on first start.
const int kStartTimeoutMs = 60000;
const int kReplyTimeoutMs = 30000;

// Where a PostgreSQL database lives: the server's socket folder (or host), port and user.
struct PgAddress
{
    QString host;
    int port = 5432;
    QString user;
    QString database;
};

// The server the "_pg" tests use, from the environment.
bool testServer(PgAddress* address, QString* error)
{
    address->host = qEnvironmentVariable("KQ_TEST_PG_HOST");
    if (address->host.isEmpty()) {
        *error = QStringLiteral("KQ_TEST_PG_HOST is not set: the PostgreSQL runs need a server (scripts/test starts"
                                " one; tests/support/with_postgres.sh runs a command beside one)");
        return false;
    }
    bool ok = true;
    if (qEnvironmentVariableIsSet("KQ_TEST_PG_PORT"))
        address->port = qEnvironmentVariableIntValue("KQ_TEST_PG_PORT", &ok);
    if (!ok) {
        *error = QStringLiteral("KQ_TEST_PG_PORT is not a port number");
        return false;
    }
    address->user = qEnvironmentVariable("KQ_TEST_PG_USER", QStringLiteral("postgres"));
    return true;
}

// libpq's address form; a socket folder goes percent-encoded in the host part.
QString locatorOf(const PgAddress& address)
{
    return QStringLiteral("postgresql://%1@%2:%3/%4")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(address.user)),
             QString::fromLatin1(QUrl::toPercentEncoding(address.host)), QString::number(address.port),
             QString::fromLatin1(QUrl::toPercentEncoding(address.database)));
}

// The pieces of a postgresql:// or postgres:// address; false for anything else (an SQLite file).
bool parseLocator(const QString& locator, PgAddress* address)
{
    static const QRegularExpression pattern(
        QStringLiteral("^postgres(?:ql)?://(?:([^@/]*)@)?([^:/]*)(?::(\\d+))?/([^?]+)(?:\\?.*)?$"));
    const QRegularExpressionMatch match = pattern.match(locator);
    if (!match.hasMatch())
        return false;
    const auto decoded = [&match](int group) { return QUrl::fromPercentEncoding(match.captured(group).toUtf8()); };
    address->user = decoded(1);
    address->host = decoded(2);
    address->port = match.captured(3).isEmpty() ? 5432 : match.captured(3).toInt();
    address->database = decoded(4);
    return true;
}

QSqlDatabase addPostgres(const QString& connectionName, const PgAddress& address)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setUserName(address.user);
    db.setDatabaseName(address.database);
    return db;
}

// Runs one statement on the server's own "postgres" database (to make or drop a database).
bool runOnServer(PgAddress server, const QString& sql, QString* error)
{
    static int connections = 0;
    const QString name = QStringLiteral("kq-test-server-%1").arg(++connections);
    server.database = QStringLiteral("postgres");
    bool ok = false;
    {
        QSqlDatabase db = addPostgres(name, server);
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok)
                *error = query.lastError().text();
        } else {
            *error = QStringLiteral("cannot connect to the PostgreSQL server in %1: %2")
                         .arg(server.host, db.lastError().text());
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
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
    m_filesDir = QDir(m_dir.path()).filePath(QStringLiteral("files"));
    m_locator = newDatabase(QDir(m_dir.path()).filePath(QStringLiteral("service.sqlite")), &m_error);
    if (m_locator.isEmpty())
        return;
    m_ownsDatabase = backend() == QLatin1String("postgresql");
    start();
}

ReferenceService::ReferenceService(const QString& databaseLocator, const QString& filesDir, QObject* parent)
    : QObject(parent)
    , m_locator(databaseLocator)
    , m_filesDir(filesDir)
    , m_network(new QNetworkAccessManager(this))
{
    start();
}

ReferenceService::~ReferenceService()
{
    stop();
    PgAddress address;
    QString error;
    // Left behind when still in use; the test server goes away as a whole anyway.
    if (m_ownsDatabase && parseLocator(m_locator, &address))
        runOnServer(address, QStringLiteral("DROP DATABASE IF EXISTS \"%1\"").arg(address.database), &error);
}

bool ReferenceService::start()
{
    if (m_locator.isEmpty()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("no database to start the service on");
        return false;
    }
    if (m_process.state() != QProcess::NotRunning) {
        m_error = QStringLiteral("the service is running already");
        return false;
    }
    m_error.clear();
    m_baseUrl.clear();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(serviceBinary(), {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"), m_locator,
                                      QStringLiteral("--files"), m_filesDir});
    if (!m_process.waitForStarted(kStartTimeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(serviceBinary(), m_process.errorString());
        return false;
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
        return false;
    }
    return true;
}

bool ReferenceService::isRunning() const
{
    return !m_baseUrl.isEmpty() && m_process.state() == QProcess::Running;
}

QString ReferenceService::backend()
{
    return qEnvironmentVariable("KQ_TEST_BACKEND") == QLatin1String("postgresql") ? QStringLiteral("postgresql")
                                                                                  : QStringLiteral("sqlite");
}

QString ReferenceService::serviceBinary()
{
    const QString fromEnvironment = qEnvironmentVariable("KQ_SERVICE_BIN");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStringLiteral(KQ_BIN_DIR "/kq_service");
}

QString ReferenceService::newDatabase(const QString& sqliteFile, QString* error)
{
    if (backend() != QLatin1String("postgresql"))
        return sqliteFile;
    PgAddress address;
    if (!testServer(&address, error))
        return QString();
    // Unique across the test programs that share the server, and across runs of one.
    static int made = 0;
    address.database = QStringLiteral("kq_test_%1_%2_%3")
                           .arg(QCoreApplication::applicationPid())
                           .arg(++made)
                           .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    // UTF-8 with plain byte order whatever the server's own locale.
    const QString create = QStringLiteral("CREATE DATABASE \"%1\" TEMPLATE template0 ENCODING 'UTF8'"
                                          " LC_COLLATE 'C' LC_CTYPE 'C'")
                               .arg(address.database);
    QString reason;
    if (!runOnServer(address, create, &reason)) {
        *error = QStringLiteral("cannot create the database %1: %2").arg(address.database, reason);
        return QString();
    }
    return locatorOf(address);
}

QSqlDatabase ReferenceService::inspect(const QString& connectionName) const
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isValid()) {
        PgAddress address;
        if (parseLocator(m_locator, &address)) {
            db = addPostgres(connectionName, address);
        } else {
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
            db.setDatabaseName(m_locator);
            // The service may hold the write lock for a moment.
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        }
    }
    if (!db.isOpen() && !db.open())
        qWarning("cannot open the service's database %s: %s", qPrintable(m_locator), qPrintable(db.lastError().text()));
    return db;
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

QNetworkReply* ReferenceService::callUnwaited(const QString& path, const Pieces& pieces, const Headers& who)
{
    QNetworkRequest request = makeRequest(path, who);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    return m_network->post(request, form(pieces));
}

bool ReferenceService::selectJobRights(int jobId, const QList<int>& rightIds)
{
    // The module's own app among the role's rights.
    const int app = 12;
    const QString connection = QStringLiteral("job-rights");
    bool written = false;
    {
        const QSqlDatabase db = inspect(connection);
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT content FROM job_auth WHERE job_id = ? AND app_id = ?"));
        query.addBindValue(jobId);
        query.addBindValue(app);
        if (query.exec() && query.next()) {
            QJsonArray entries = QJsonDocument::fromJson(query.value(0).toString().toUtf8()).array();
            for (int i = 0; i < entries.size(); ++i) {
                QJsonObject entry = entries.at(i).toObject();
                entry.insert(QStringLiteral("selected"), rightIds.contains(entry.value(QStringLiteral("id")).toInt()));
                entries.replace(i, entry);
            }
            QSqlQuery update(db);
            update.prepare(QStringLiteral("UPDATE job_auth SET content = ? WHERE job_id = ? AND app_id = ?"));
            update.addBindValue(QString::fromUtf8(QJsonDocument(entries).toJson(QJsonDocument::Compact)));
            update.addBindValue(jobId);
            update.addBindValue(app);
            written = update.exec() && update.numRowsAffected() == 1;
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
    return wait(uploadUnwaited(path, fields, partName, fileName, data, headers));
}

QNetworkReply* ReferenceService::uploadUnwaited(const QString& path, const QMap<QString, QString>& fields,
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
    return reply;
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
    result.etag = reply->rawHeader(QByteArrayLiteral("ETag"));
    result.body = reply->readAll();
    if (reply->error() != QNetworkReply::NoError)
        result.networkError = reply->errorString();
    const QJsonDocument document = QJsonDocument::fromJson(result.body);
    if (document.isObject())
        result.envelope = document.object();
    reply->deleteLater();
    return result;
}

qint64 ReferenceService::memoryKb(const QByteArray& field) const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(processId()));
    if (processId() <= 0 || !status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

bool ReferenceService::resetPeakMemory() const
{
    QFile clear(QStringLiteral("/proc/%1/clear_refs").arg(processId()));
    return processId() > 0 && clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

namespace {

const QString kLockHolder = QStringLiteral("kq-test-outage");

} // namespace

bool ReferenceService::cutDatabase()
{
    PgAddress address;
    QString error;
    if (parseLocator(m_locator, &address)) {
        const QString name = address.database;
        if (runOnServer(address, QStringLiteral("ALTER DATABASE \"%1\" ALLOW_CONNECTIONS false").arg(name), &error)
            && runOnServer(address,
                           QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'")
                               .arg(name),
                           &error))
            return true;
        m_error = error;
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kLockHolder);
        db.setDatabaseName(m_locator);
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("BEGIN IMMEDIATE"))
            && query.exec(QStringLiteral("UPDATE meta SET value = value WHERE key = 'seeded'")))
            return true;
        m_error = db.isOpen() ? query.lastError().text() : db.lastError().text();
    }
    QSqlDatabase::removeDatabase(kLockHolder);
    return false;
}

bool ReferenceService::restoreDatabase()
{
    PgAddress address;
    if (parseLocator(m_locator, &address)) {
        return runOnServer(address,
                           QStringLiteral("ALTER DATABASE \"%1\" ALLOW_CONNECTIONS true").arg(address.database),
                           &m_error);
    }
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::database(kLockHolder, false);
        QSqlQuery query(db);
        ok = db.isOpen() && query.exec(QStringLiteral("ROLLBACK"));
        if (!ok)
            m_error = db.isOpen() ? query.lastError().text() : QStringLiteral("the database was not cut");
        db.close();
    }
    QSqlDatabase::removeDatabase(kLockHolder);
    return ok;
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
