#include "support/service/ReferenceService.h"
#include "support/service/TestImages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

using TestImages::fileBytes;

namespace {

using Headers = ReferenceService::Headers;

const QString kLostLogin = QStringLiteral("登录已失效，请重新登录");

QByteArray pngBytes(int width, int height)
{
    QImage image = TestImages::filled(QSize(width, height), QColor(40, 120, 200));
    for (int x = 0; x < width; ++x)
        image.setPixel(x, x % height, qRgb(255, x % 256, 0));
    return TestImages::encode(image, "PNG");
}

QJsonObject tileByItem(const QJsonArray& tiles, int itemId)
{
    for (const QJsonValue& tile : tiles) {
        if (tile.toObject().value(QStringLiteral("itemid")).toInt() == itemId)
            return tile.toObject();
    }
    return {};
}

} // namespace

class TestService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void login_data();
    void login();
    void loginData();
    void staffRights();
    void sessionRequired_data();
    void sessionRequired();
    void tenancy_data();
    void tenancy();
    void tilesPerCompany();
    void uploadRefused_data();
    void uploadRefused();
    void uploadServedBack_data();
    void uploadServedBack();
    void uploadStoredUpright_data();
    void uploadStoredUpright();
    void uploadCameraSizeScaled();
    void malformedBodyIsHarmless();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void paths_data();
    void paths();
    void unnamedUploadRefused();
    void unfinishedUploadsSweptAtStart();

private:
    int rowCount(const QString& table) const;
    QStringList storedFiles() const;
    QJsonArray tilesOf(const QString& phone);

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;
};

void TestService::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    QVERIFY(m_service->baseUrl().startsWith(QLatin1String("http://127.0.0.1:")));
    QCOMPARE(m_service->apiBase(), m_service->baseUrl() + QStringLiteral("api/"));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    QVERIFY(!m_manager.value(QStringLiteral("sessionid")).toString().isEmpty());
    QVERIFY(!m_manager.value(QStringLiteral("token")).toString().isEmpty());
}

void TestService::cleanupTestCase()
{
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    // A clean exit after all the bad input above: no crash, no sanitizer report.
    QVERIFY(m_service->isRunning());
    QCOMPARE(m_service->stop(), 0);
}

int TestService::rowCount(const QString& table) const
{
    QSqlQuery query(m_service->inspect(QStringLiteral("inspect")));
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && query.next() ? query.value(0).toInt() : -1;
}

QStringList TestService::storedFiles() const
{
    return QDir(m_service->filesDir()).entryList(QDir::Files, QDir::Name);
}

QJsonArray TestService::tilesOf(const QString& phone)
{
    const ReferenceService::Reply reply =
        m_service->post(QStringLiteral("api/mtore/appposts"), QByteArray(), m_service->login(phone));
    return reply.code() == 200 ? reply.data().toArray() : QJsonArray();
}

void TestService::login_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    const QString wrong = QStringLiteral("账号或密码错误");
    QTest::newRow("manager") << QByteArray("phone=13800000000&password=demo123") << 200 << QString();
    QTest::newRow("staff") << QByteArray("phone=13800000001&password=demo123") << 200 << QString();
    QTest::newRow("other company") << QByteArray("phone=13900000000&password=demo123") << 200 << QString();
    QTest::newRow("wrong password") << QByteArray("phone=13800000000&password=demo124") << 405 << wrong;
    QTest::newRow("password case") << QByteArray("phone=13800000000&password=DEMO123") << 405 << wrong;
    QTest::newRow("unknown phone") << QByteArray("phone=13811112222&password=demo123") << 405 << wrong;
    QTest::newRow("phone with blank") << QByteArray("phone=13800000000+&password=demo123") << 405 << wrong;
    QTest::newRow("no password") << QByteArray("phone=13800000000") << 405 << QStringLiteral("缺少参数：密码");
    QTest::newRow("blank phone") << QByteArray("phone=+&password=demo123") << 405 << QStringLiteral("缺少参数：手机号");
    QTest::newRow("empty body") << QByteArray() << 405 << QStringLiteral("缺少参数：手机号");
}

void TestService::login()
{
    QFETCH(QByteArray, body);
    QFETCH(int, code);
    QFETCH(QString, message);

    const int sessionsBefore = rowCount(QStringLiteral("sessions"));
    const ReferenceService::Reply reply = m_service->post(QStringLiteral("api/account/initialize"), body);
    QCOMPARE(reply.httpStatus, 200);
    QCOMPARE(reply.code(), code);
    if (code == 200) {
        const QJsonObject session = reply.data().toObject().value(QStringLiteral("session")).toObject();
        QCOMPARE(session.value(QStringLiteral("sessionid")).toString().size(), 32);
        QVERIFY(session.value(QStringLiteral("token")).toString().size() >= 32);
        QCOMPARE(rowCount(QStringLiteral("sessions")), sessionsBefore + 1);
    } else {
        QCOMPARE(reply.message(), message);
        // A refused login opens no session.
        QCOMPARE(rowCount(QStringLiteral("sessions")), sessionsBefore);
    }
}

void TestService::loginData()
{
    QVERIFY(!m_service->login(QStringLiteral("13800000000")).isEmpty());
    const QJsonObject data = m_service->lastLoginData();
    const QJsonObject user = data.value(QStringLiteral("user")).toObject();
    QCOMPARE(user.value(QStringLiteral("phone")).toString(), QStringLiteral("13800000000"));
    QCOMPARE(user.value(QStringLiteral("companyid")).toString(), QStringLiteral("10001"));
    QCOMPARE(user.value(QStringLiteral("company")).toString(), QStringLiteral("安居地产"));
    QCOMPARE(user.value(QStringLiteral("cityid")).toString(), QStringLiteral("1"));
    QCOMPARE(user.value(QStringLiteral("cityname")).toString(), QStringLiteral("成都"));
    QCOMPARE(user.value(QStringLiteral("userinfo")).toObject().value(QStringLiteral("ismanager")).toInt(), 1);
    QCOMPARE(user.value(QStringLiteral("weiguanwang")).toInt(), 1);
    const QString website = user.value(QStringLiteral("website")).toString();
    QCOMPARE(website, m_service->baseUrl() + QStringLiteral("site/m/10001/"));
    const ReferenceService::Reply site = m_service->get(website);
    QCOMPARE(site.httpStatus, 200);
    QVERIFY(QString::fromUtf8(site.body).contains(QStringLiteral("安居地产")));

    // Departments form one tree of the company's own.
    const QJsonArray departments = data.value(QStringLiteral("bumens")).toArray();
    QVERIFY(departments.size() >= 3);
    QSet<int> ids;
    for (const QJsonValue& dept : departments)
        ids.insert(dept.toObject().value(QStringLiteral("dept_id")).toInt());
    int roots = 0;
    for (const QJsonValue& dept : departments) {
        const int parent = dept.toObject().value(QStringLiteral("parent_id")).toInt();
        QVERIFY(parent == 0 || ids.contains(parent));
        roots += parent == 0 ? 1 : 0;
    }
    QCOMPARE(roots, 1);
    for (const QString& own : user.value(QStringLiteral("suozai_bumens")).toString().split(QLatin1Char(',')))
        QVERIFY2(ids.contains(own.toInt()), qPrintable(own));

    const QJsonObject base = data.value(QStringLiteral("base")).toObject();
    const QJsonArray districts = base.value(QStringLiteral("area")).toArray();
    QVERIFY(districts.size() >= 4);
    for (const QJsonValue& district : districts) {
        QVERIFY(!district.toObject().value(QStringLiteral("name")).toString().isEmpty());
        QVERIFY(district.toObject().value(QStringLiteral("area")).toArray().size() >= 3);
    }
    QStringList jobs;
    for (const QJsonValue& job : base.value(QStringLiteral("job")).toArray())
        jobs << job.toObject().value(QStringLiteral("name")).toString();
    QCOMPARE(jobs, QStringList({QStringLiteral("店长"), QStringLiteral("经纪人"), QStringLiteral("文员")}));

    // The other city's agency sees its own city's districts; a closed site has no address.
    QVERIFY(!m_service->login(QStringLiteral("13900000000")).isEmpty());
    const QJsonObject chongqing = m_service->lastLoginData();
    QCOMPARE(chongqing.value(QStringLiteral("user")).toObject().value(QStringLiteral("cityname")).toString(),
             QStringLiteral("重庆"));
    QVERIFY(chongqing.value(QStringLiteral("base")).toObject().value(QStringLiteral("area")).toArray() != districts);
    QVERIFY(!m_service->login(QStringLiteral("13700000000")).isEmpty());
    const QJsonObject closed = m_service->lastLoginData().value(QStringLiteral("user")).toObject();
    QCOMPARE(closed.value(QStringLiteral("companyid")).toString(), QStringLiteral("30728"));
    QCOMPARE(closed.value(QStringLiteral("weiguanwang")).toInt(), 0);
    QCOMPARE(closed.value(QStringLiteral("website")).toString(), QString());
    QCOMPARE(m_service->get(QStringLiteral("site/30728/")).httpStatus, 404);
}

void TestService::staffRights()
{
    QVERIFY(!m_service->login(QStringLiteral("13800000001")).isEmpty());
    const QJsonObject data = m_service->lastLoginData();
    QCOMPARE(data.value(QStringLiteral("user")).toObject().value(QStringLiteral("userinfo")).toObject()
                 .value(QStringLiteral("ismanager")).toInt(),
             0);
    QJsonArray rights;
    for (const QJsonValue& group : data.value(QStringLiteral("userauth")).toArray()) {
        if (group.toObject().value(QStringLiteral("id")).toInt() == 12)
            rights = group.toObject().value(QStringLiteral("content")).toArray();
    }
    QMap<int, QJsonObject> byId;
    for (const QJsonValue& right : rights)
        byId.insert(right.toObject().value(QStringLiteral("id")).toInt(), right.toObject());
    const QList<int> moduleIds = {65, 66, 67, 68, 69, 70, 71, 72, 73, 80, 81, 82, 83, 93, 97, 98, 148, 156};
    QCOMPARE(byId.keys(), moduleIds);
    for (int id : moduleIds) {
        const QJsonObject right = byId.value(id);
        QVERIFY(right.value(QStringLiteral("bumens")).isArray());
        QVERIFY(right.value(QStringLiteral("sons")).isArray());
        QCOMPARE(right.value(QStringLiteral("selected")).toBool(), id == 65 || id == 148);
    }
    QCOMPARE(byId.value(65).value(QStringLiteral("range")).toInt(), 2);
}

void TestService::sessionRequired_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("code");

    QTest::newRow("no session") << QStringLiteral("none") << 400;
    QTest::newRow("unknown session") << QStringLiteral("unknown") << 400;
    QTest::newRow("wrong token") << QStringLiteral("wrong token") << 400;
    QTest::newRow("session id only") << QStringLiteral("id only") << 400;
    QTest::newRow("headers") << QStringLiteral("headers") << 200;
    QTest::newRow("cookie") << QStringLiteral("cookie") << 200;
}

void TestService::sessionRequired()
{
    QFETCH(QString, how);
    QFETCH(int, code);

    const QString id = m_manager.value(QStringLiteral("sessionid")).toString();
    const QString token = m_manager.value(QStringLiteral("token")).toString();
    Headers headers;
    if (how == QLatin1String("unknown"))
        headers = {{QStringLiteral("sessionid"), QString(32, QLatin1Char('a'))}, {QStringLiteral("token"), token}};
    else if (how == QLatin1String("wrong token"))
        headers = {{QStringLiteral("sessionid"), id}, {QStringLiteral("token"), QString(token.size(), QLatin1Char('f'))}};
    else if (how == QLatin1String("id only"))
        headers = {{QStringLiteral("sessionid"), id}};
    else if (how == QLatin1String("headers"))
        headers = m_manager;
    else if (how == QLatin1String("cookie"))
        headers = {{QStringLiteral("Cookie"), QStringLiteral("sessionid=%1; token=%2").arg(id, token)}};

    const ReferenceService::Reply reply = m_service->post(QStringLiteral("api/mtore/appposts"), QByteArray(), headers);
    QCOMPARE(reply.httpStatus, 200);
    QCOMPARE(reply.code(), code);
    if (code == 400) {
        QCOMPARE(reply.message(), kLostLogin);
        QVERIFY(reply.data().isNull());
    } else {
        QVERIFY(!reply.data().toArray().isEmpty());
    }
}

void TestService::tenancy_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QByteArray>("params");
    QTest::addColumn<int>("code");

    QTest::newRow("own company and city") << QStringLiteral("POST") << QByteArray("companyid=10001&cityid=1") << 200;
    QTest::newRow("other company") << QStringLiteral("POST") << QByteArray("companyid=20002") << 405;
    QTest::newRow("other city") << QStringLiteral("POST") << QByteArray("companyid=10001&cityid=2") << 405;
    QTest::newRow("empty company") << QStringLiteral("POST") << QByteArray("companyid=") << 405;
    QTest::newRow("other company in query") << QStringLiteral("GET") << QByteArray("companyid=20002") << 405;
    // A body value counts over a query value, for the check and the handler alike.
    QTest::newRow("body over query") << QStringLiteral("POST?companyid=10001") << QByteArray("companyid=30728") << 405;
}

void TestService::tenancy()
{
    QFETCH(QString, method);
    QFETCH(QByteArray, params);
    QFETCH(int, code);

    const QString path = QStringLiteral("api/mtore/appposts");
    ReferenceService::Reply reply;
    if (method == QLatin1String("GET"))
        reply = m_service->get(path + QLatin1Char('?') + QString::fromUtf8(params), m_manager);
    else
        reply = m_service->post(path + method.mid(4), params, m_manager);
    QCOMPARE(reply.code(), code);
    if (code == 405)
        QVERIFY(!reply.message().isEmpty());
    else
        QCOMPARE(tileByItem(reply.data().toArray(), 2).value(QStringLiteral("title")).toString(),
                 QStringLiteral("二手房"));
}

void TestService::tilesPerCompany()
{
    const QJsonArray anju = tilesOf(QStringLiteral("13800000000"));
    const QJsonArray shancheng = tilesOf(QStringLiteral("13900000000"));
    const QJsonArray rongcheng = tilesOf(QStringLiteral("13700000000"));
    QVERIFY(!anju.isEmpty());
    QVERIFY(!shancheng.isEmpty());
    QVERIFY(!rongcheng.isEmpty());

    const QStringList keys = {QStringLiteral("content"), QStringLiteral("itemid"), QStringLiteral("show"),
                              QStringLiteral("sort"), QStringLiteral("title"), QStringLiteral("type")};
    for (const QJsonArray& tiles : {anju, shancheng, rongcheng}) {
        int previousSort = INT_MIN;
        for (const QJsonValue& value : tiles) {
            const QJsonObject tile = value.toObject();
            for (const QString& key : keys)
                QVERIFY2(tile.contains(key), qPrintable(key));
            const int sort = tile.value(QStringLiteral("sort")).toInt();
            QVERIFY(sort >= previousSort);
            previousSort = sort;
        }
    }

    const QList<int> systemIds = {1, 2, 3, 4, 5, 6, 7, 9, 10, 15, 23, 24, 25, -3};
    for (int id : systemIds) {
        const QJsonObject tile = tileByItem(anju, id);
        QVERIFY2(!tile.isEmpty(), qPrintable(QString::number(id)));
        QCOMPARE(tile.value(QStringLiteral("type")).toInt(), 0);
    }
    QCOMPARE(tileByItem(anju, 4).value(QStringLiteral("title")).toString(), QStringLiteral("业主委托出售"));
    QCOMPARE(tileByItem(anju, -3).value(QStringLiteral("content")).toString(),
             m_service->baseUrl() + QStringLiteral("site/m/10001/"));
    QStringList customApps;
    for (const QJsonValue& value : anju) {
        if (value.toObject().value(QStringLiteral("type")).toInt() == 1)
            customApps << value.toObject().value(QStringLiteral("title")).toString();
    }
    QCOMPARE(customApps.size(), 2);

    // Each company sees only its own tiles.
    QVERIFY(anju != shancheng);
    QVERIFY(tileByItem(shancheng, 15).isEmpty());
    for (const QJsonValue& value : shancheng) {
        if (value.toObject().value(QStringLiteral("type")).toInt() == 1)
            QVERIFY(!customApps.contains(value.toObject().value(QStringLiteral("title")).toString()));
    }
    QCOMPARE(tileByItem(shancheng, -3).value(QStringLiteral("content")).toString(),
             m_service->baseUrl() + QStringLiteral("site/m/20002/"));
    QCOMPARE(tileByItem(rongcheng, -3).value(QStringLiteral("content")).toString(), QString());
}

void TestService::uploadRefused_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("partName");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("withSession");
    QTest::addColumn<int>("code");

    const QByteArray png = pngBytes(40, 30);
    QByteArray oversized = png;
    // Still a decodable picture (bytes after the end are ignored), but over 10 MB.
    oversized.append(QByteArray(10 * 1024 * 1024, '\0'));

    QTest::newRow("text named png") << QStringLiteral("8") << QStringLiteral("file") << QByteArray("not a picture")
                                    << true << 405;
    // A RAW plugin, where one is installed, would make a picture of these.
    QByteArray random(300 * 1024, '\0');
    QRandomGenerator generator(11);
    for (char& byte : random)
        byte = char(generator.bounded(256));
    QTest::newRow("random bytes") << QStringLiteral("8") << QStringLiteral("file") << random << true << 405;
    // Pictures this Qt may read but the site's pages do not show: a scanner's TIFF, a phone's HEIC.
    const QString photo = QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_1.jpg");
    if (QImageWriter::supportedImageFormats().contains("tiff")) {
        QTest::newRow("tiff") << QStringLiteral("11") << QStringLiteral("file")
                              << TestImages::encode(QImage(photo).scaled(240, 160), "tiff") << true << 405;
    }
    const QString encoder = QStandardPaths::findExecutable(QStringLiteral("heif-enc"));
    QTemporaryDir folder;
    if (!encoder.isEmpty() && folder.isValid()) {
        const QString heic = folder.filePath(QStringLiteral("IMG_0001.HEIC"));
        QProcess::execute(encoder, {QStringLiteral("-q"), QStringLiteral("50"), QStringLiteral("-o"), heic, photo});
        QTest::newRow("heic") << QStringLiteral("11") << QStringLiteral("file") << fileBytes(heic) << true << 405;
    }
    QTest::newRow("truncated png") << QStringLiteral("8") << QStringLiteral("file") << png.left(png.size() / 2)
                                   << true << 405;
    QTest::newRow("empty file") << QStringLiteral("8") << QStringLiteral("file") << QByteArray() << true << 405;
    QTest::newRow("over 10 MB") << QStringLiteral("11") << QStringLiteral("file") << oversized << true << 405;
    QTest::newRow("no file part") << QStringLiteral("8") << QStringLiteral("photo") << png << true << 405;
    QTest::newRow("no type") << QString() << QStringLiteral("file") << png << true << 405;
    QTest::newRow("type not a number") << QStringLiteral("8a") << QStringLiteral("file") << png << true << 405;
    QTest::newRow("negative type") << QStringLiteral("-8") << QStringLiteral("file") << png << true << 405;
    QTest::newRow("no session") << QStringLiteral("8") << QStringLiteral("file") << png << false << 400;
}

void TestService::uploadRefused()
{
    QFETCH(QString, type);
    QFETCH(QString, partName);
    QFETCH(QByteArray, data);
    QFETCH(bool, withSession);
    QFETCH(int, code);

    const QStringList filesBefore = storedFiles();
    const int uploadsBefore = rowCount(QStringLiteral("uploads"));
    QMap<QString, QString> fields;
    if (!type.isNull())
        fields.insert(QStringLiteral("type"), type);
    const ReferenceService::Reply reply = m_service->upload(QStringLiteral("api/app/upphoto"), fields, partName,
                                                            QStringLiteral("photo.png"), data,
                                                            withSession ? m_manager : Headers());
    QCOMPARE(reply.httpStatus, 200);
    QCOMPARE(reply.code(), code);
    QVERIFY(!reply.message().isEmpty());
    QVERIFY(!reply.message().startsWith(QLatin1String("http")));
    QCOMPARE(storedFiles(), filesBefore);
    QCOMPARE(rowCount(QStringLiteral("uploads")), uploadsBefore);
}

void TestService::uploadServedBack_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("clientName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("contentType");

    QTest::newRow("png") << pngBytes(120, 80) << QStringLiteral("icon.png") << QStringLiteral("png")
                         << QByteArray("image/png");
    // The name on disk comes from the decoded format, never from the client's path.
    QTest::newRow("png with hostile name") << pngBytes(16, 16) << QStringLiteral("../../evil.php")
                                           << QStringLiteral("png") << QByteArray("image/png");
    QTest::newRow("photo named png") << fileBytes(QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_1.jpg"))
                                     << QStringLiteral("Landscape_1.png") << QStringLiteral("jpg")
                                     << QByteArray("image/jpeg");
    // A WebP photo is kept as a JPEG, where this Qt reads WebP.
    if (QImageWriter::supportedImageFormats().contains("webp")) {
        const QImage photo(QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_1.jpg"));
        QTest::newRow("webp photo") << TestImages::encode(photo, "webp", 80) << QStringLiteral("IMG_0002.webp")
                                    << QStringLiteral("jpg") << QByteArray("image/jpeg");
    }
}

void TestService::uploadServedBack()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, clientName);
    QFETCH(QString, extension);
    QFETCH(QByteArray, contentType);
    QVERIFY(!data.isEmpty());

    const QStringList filesBefore = storedFiles();
    const ReferenceService::Reply reply =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), clientName, data, m_manager);
    QCOMPARE(reply.code(), 200);
    const QString address = reply.message();
    const QRegularExpression pattern(QStringLiteral("^%1files/([0-9a-f]{32}\\.%2)$")
                                         .arg(QRegularExpression::escape(m_service->baseUrl()), extension));
    const QRegularExpressionMatch match = pattern.match(address);
    QVERIFY2(match.hasMatch(), qPrintable(address));
    QStringList expectedFiles = QStringList(filesBefore) << match.captured(1);
    expectedFiles.sort();
    QCOMPARE(storedFiles(), expectedFiles);

    const ReferenceService::Reply served = m_service->get(address);
    QCOMPARE(served.httpStatus, 200);
    QCOMPARE(served.contentType, contentType);
    // Stored re-encoded: the same picture, not the same bytes.
    const QImage sent = QImage::fromData(data);
    const QImage stored = QImage::fromData(served.body);
    QCOMPARE(stored.size(), sent.size());
    if (extension == QLatin1String("png"))
        QCOMPARE(stored.convertToFormat(QImage::Format_RGB32), sent.convertToFormat(QImage::Format_RGB32));
}

void TestService::uploadStoredUpright_data()
{
    QTest::addColumn<QString>("photo");
    QTest::addColumn<QString>("upright");

    for (int orientation = 0; orientation <= 8; ++orientation) {
        for (const char* scene : {"Landscape", "Portrait"}) {
            const QString name = QStringLiteral("%1_%2").arg(QLatin1String(scene)).arg(orientation);
            QTest::newRow(qPrintable(name)) << name << QStringLiteral("%1_1").arg(QLatin1String(scene));
        }
    }
}

// Every orientation comes out as the upright photo, written anew without the camera's EXIF
// block (where its GPS position would be).
void TestService::uploadStoredUpright()
{
    QFETCH(QString, photo);
    QFETCH(QString, upright);

    const QString folder = QStringLiteral(KQ_TESTDATA_DIR "/photos/");
    const QByteArray data = fileBytes(folder + photo + QStringLiteral(".jpg"));
    QVERIFY(data.contains("Exif"));
    const ReferenceService::Reply reply =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), photo, data, m_manager);
    QCOMPARE(reply.code(), 200);
    const QByteArray stored = m_service->get(reply.message()).body;
    QVERIFY(!stored.contains("Exif"));

    const QImage expected = QImage::fromData(fileBytes(folder + upright + QStringLiteral(".jpg")));
    const QImage image = QImage::fromData(stored);
    QCOMPARE(image.size(), expected.size());
    QCOMPARE(reply.data().toObject().value(QStringLiteral("width")).toInt(), expected.width());
    QCOMPARE(reply.data().toObject().value(QStringLiteral("height")).toInt(), expected.height());
    const QSize grid(12, 12);
    const QImage a = image.scaled(grid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage b = expected.scaled(grid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            QVERIFY2(qAbs(p.red() - q.red()) + qAbs(p.green() - q.green()) + qAbs(p.blue() - q.blue()) < 60,
                     qPrintable(QStringLiteral("cell %1,%2").arg(x).arg(y)));
        }
    }
}

// A camera-size photo is accepted and stored at a size a page can show.
void TestService::uploadCameraSizeScaled()
{
    QImage big = TestImages::filled(QSize(6000, 4000), QColor(90, 140, 60));
    const ReferenceService::Reply reply =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), QStringLiteral("camera.jpg"), TestImages::encode(big, "JPEG", 80),
                          m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(QImage::fromData(m_service->get(reply.message()).body).size(), QSize(2560, 1706));
}

void TestService::malformedBodyIsHarmless()
{
    const QStringList filesBefore = storedFiles();
    const int uploadsBefore = rowCount(QStringLiteral("uploads"));
    Headers headers = m_manager;
    headers.insert(QStringLiteral("Content-Type"), QStringLiteral("multipart/form-data; boundary=xyz"));
    const ReferenceService::Reply reply = m_service->post(
        QStringLiteral("api/app/upphoto"), QByteArray("--xyz\r\nContent-Disposition: form-data; name=\"file\"\r\n"), headers);
    QVERIFY(reply.httpStatus == 400 || reply.code() == 405);
    QCOMPARE(storedFiles(), filesBefore);
    QCOMPARE(rowCount(QStringLiteral("uploads")), uploadsBefore);
    // The service goes on answering.
    QCOMPARE(m_service->post(QStringLiteral("api/mtore/appposts"), QByteArray(), m_manager).code(), 200);
}

void TestService::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("form specials") << QStringLiteral("a&b=c+d%e#f");
    QTest::newRow("chinese and blanks") << QStringLiteral(" 安居 地产 ");
    QTest::newRow("percent sequence") << QStringLiteral("100%25 %E4");
    QTest::newRow("url") << QStringLiteral("http://example.com/a?b=1&c=2#top");
    // Beyond the HTTP library's own 8 KB limit for form bodies.
    QTest::newRow("long text") << QStringLiteral("房源描述&=+%#").repeated(3000);
}

void TestService::valuesRoundTrip()
{
    QFETCH(QString, value);

    const QString path = QStringLiteral("api/diagnostics/echo");
    const QByteArray form = ReferenceService::form({{QStringLiteral("value"), value}, {QStringLiteral("n"), QStringLiteral("1")}});
    const ReferenceService::Reply posted = m_service->post(path, form);
    QCOMPARE(posted.code(), 200);
    QJsonObject params = posted.data().toObject().value(QStringLiteral("params")).toObject();
    QCOMPARE(params.value(QStringLiteral("value")).toString(), value);
    QCOMPARE(params.value(QStringLiteral("n")).toString(), QStringLiteral("1"));

    if (value.size() < 1000) {
        const ReferenceService::Reply queried = m_service->get(path + QLatin1Char('?') + QString::fromLatin1(form));
        QCOMPARE(queried.code(), 200);
        params = queried.data().toObject().value(QStringLiteral("params")).toObject();
        QCOMPARE(params.value(QStringLiteral("value")).toString(), value);
    }
}

void TestService::paths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");

    QTest::newRow("unknown endpoint") << QStringLiteral("api/mtore/nosuchthing") << 404;
    QTest::newRow("api root") << QStringLiteral("api/") << 404;
    QTest::newRow("unknown host") << QStringLiteral("nothing/here") << 404;
    QTest::newRow("unknown site") << QStringLiteral("site/99999/") << 404;
    QTest::newRow("missing file") << QStringLiteral("files/0123456789abcdef0123456789abcdef.png") << 404;
    QTest::newRow("file outside the folder") << QStringLiteral("files/..%2Fservice.sqlite") << 404;
    QTest::newRow("root") << QString() << 200;
    QTest::newRow("site index") << QStringLiteral("site/") << 200;
    QTest::newRow("office index") << QStringLiteral("office/") << 200;
    QTest::newRow("help index") << QStringLiteral("help/") << 200;
    QTest::newRow("secure index") << QStringLiteral("secure/") << 200;
}

void TestService::paths()
{
    QFETCH(QString, path);
    QFETCH(int, status);

    const ReferenceService::Reply reply = m_service->get(path);
    QCOMPARE(reply.httpStatus, status);
    if (status == 200)
        QVERIFY(reply.contentType.startsWith("text/html"));
    else
        QVERIFY(!reply.body.contains("SQLite"));
    if (path.startsWith(QLatin1String("api/")))
        QCOMPARE(reply.code(), 404);
    // The same for a POST.
    QCOMPARE(m_service->post(path, QByteArray()).httpStatus, status);
}

void TestService::unnamedUploadRefused()
{
    const QStringList before = storedFiles();
    const ReferenceService::Reply reply =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("8")}},
                          QStringLiteral("file"), QString(), pngBytes(40, 30), m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), QStringLiteral("上传的文件缺少文件名"));
    QCOMPARE(storedFiles(), before);
}

// What a process killed in the middle of an upload leaves, found at the next start: unfinished
// files of long ago go, one whose row was stored takes its name, recent ones (another instance
// may be writing them) and finished files stay.
void TestService::unfinishedUploadsSweptAtStart()
{
    const ReferenceService::Reply uploaded =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("8")}},
                          QStringLiteral("file"), QStringLiteral("p.png"), pngBytes(40, 30), m_manager);
    QCOMPARE(uploaded.code(), 200);
    const QString stored = uploaded.data().toObject().value(QStringLiteral("name")).toString();
    QCOMPARE(m_service->stop(), 0);

    const QDir files(m_service->filesDir());
    QVERIFY(QFile::rename(files.filePath(stored), files.filePath(stored + QStringLiteral(".pending"))));
    const QString lost = QStringLiteral("0123456789abcdef0123456789abcdef.png.pending");
    const QString halfWritten = QStringLiteral("00112233445566778899aabbccddeeff.jpg.pending.aB3dE9");
    const QString recent = QStringLiteral("ffeeddccbbaa99887766554433221100.png.pending");
    const QString someoneElses = QStringLiteral("notes.txt.pending");
    const QDateTime longAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const QString storedPending = stored + QStringLiteral(".pending");
    for (const QString& name : {storedPending, lost, halfWritten, recent, someoneElses}) {
        QFile file(files.filePath(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (name != recent)
            QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    QVERIFY2(m_service->start(), qPrintable(m_service->errorString()));

    const QStringList left = files.entryList(QDir::Files);
    QVERIFY(left.contains(stored));
    QVERIFY(!left.contains(stored + QStringLiteral(".pending")));
    QVERIFY(!left.contains(lost));
    QVERIFY(!left.contains(halfWritten));
    QVERIFY(left.contains(recent));
    QVERIFY(left.contains(someoneElses));
    // Started again on another port.
    QCOMPARE(m_service->get(QStringLiteral("files/") + stored).httpStatus, 200);
}

QTEST_GUILESS_MAIN(TestService)
#include "tst_service.moc"
