#include "support/service/RawReply.h"
#include "support/service/ReferenceService.h"
#include "support/service/TestImages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>

namespace {

using Headers = ReferenceService::Headers;

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xffffffffu;
    for (char byte : data) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(QByteArray* data, int at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        (*data)[at + i] = static_cast<char>((value >> (8 * (bytes - 1 - i))) & 0xff);
}

// A small, valid PNG whose header claims width x height pixels.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray png = TestImages::encode(TestImages::filled(QSize(4, 4), Qt::red), "PNG");
    putBigEndian(&png, 16, width, 4);
    putBigEndian(&png, 20, height, 4);
    putBigEndian(&png, 29, crc32(png.mid(12, 17)), 4);
    return png;
}

// A small JPEG whose frame header claims width x height pixels.
QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray jpeg = TestImages::encode(TestImages::filled(QSize(16, 16), Qt::blue), "JPEG");
    const int frame = jpeg.indexOf("\xff\xc0");
    putBigEndian(&jpeg, frame + 5, height, 2);
    putBigEndian(&jpeg, frame + 7, width, 2);
    return jpeg;
}

QByteArray chunked(const QByteArray& head, qint64 total)
{
    QByteArray request = head + "Transfer-Encoding: chunked\r\n\r\n";
    const QByteArray chunk(1024 * 1024, 'a');
    for (qint64 sent = 0; sent < total; sent += chunk.size())
        request += "100000\r\n" + chunk + "\r\n";
    return request + "0\r\n\r\n";
}

} // namespace

// The service as a hostile client meets it, over HTTP: bodies, headers and addresses over their
// limits, slow senders, many ranges, unreadable text, picture bombs and a staff member calling
// the submissions lists by hand. Each is answered as it should be, the service goes on serving,
// and its peak memory stays within kMemoryBoundMb of where it started.
class TestHostileRequests : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void oversizedRequests_data();
    void oversizedRequests();
    void slowSenderDropped();
    void keptAliveConnectionServesMany();
    void fileRanges_data();
    void fileRanges();
    void unreadableValuesRefused_data();
    void unreadableValuesRefused();
    void staffCannotReadSubmissions_data();
    void staffCannotReadSubmissions();
    void pictureBombsRefused_data();
    void pictureBombsRefused();

private:
    // Writes request on a connection of its own (one byte every dribbleMs when given) and reads
    // replies until `replies` have come or the service closed the connection.
    RawReply exchange(const QByteArray& request, int dribbleMs = 0, int replies = 1, QList<RawReply>* all = nullptr);
    QByteArray sessionHeaders(const Headers& who) const;

    static constexpr qint64 kMemoryBoundMb = 48;

    QScopedPointer<ReferenceService> m_service;
    qint64 m_startKb = -1;
    Headers m_manager;
    Headers m_staff;
    QString m_picture;
    QByteArray m_pictureBytes;
};

void TestHostileRequests::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    m_staff = m_service->login(QStringLiteral("13800000001"));
    QVERIFY(!m_manager.isEmpty());
    QVERIFY(!m_staff.isEmpty());
    const ReferenceService::Reply upload =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), QStringLiteral("p.png"),
                          TestImages::encode(TestImages::filled(QSize(300, 200), Qt::green), "PNG"), m_manager);
    QCOMPARE(upload.code(), 200);
    m_picture = QUrl(upload.message()).path();
    m_pictureBytes = m_service->get(upload.message()).body;
    QVERIFY(m_pictureBytes.size() > 100);
    m_startKb = m_service->memoryKb("VmHWM");
    QVERIFY(m_startKb > 0);
}

void TestHostileRequests::cleanupTestCase()
{
    const qint64 grownMb = (m_service->memoryKb("VmHWM") - m_startKb) / 1024;
    qInfo("peak memory grew by %lld MB", grownMb);
    QVERIFY2(grownMb < kMemoryBoundMb, qPrintable(QStringLiteral("peak memory grew by %1 MB").arg(grownMb)));
    QCOMPARE(m_service->post(QStringLiteral("api/mtore/appposts"), QByteArray(), m_manager).code(), 200);
    QCOMPARE(m_service->stop(), 0);
}

RawReply TestHostileRequests::exchange(const QByteArray& request, int dribbleMs, int replies, QList<RawReply>* all)
{
    return RawReply::exchange(static_cast<quint16>(QUrl(m_service->baseUrl()).port()), request, dribbleMs, replies, all);
}

QByteArray TestHostileRequests::sessionHeaders(const Headers& who) const
{
    return "sessionid: " + who.value(QStringLiteral("sessionid")).toString().toUtf8() + "\r\ntoken: "
           + who.value(QStringLiteral("token")).toString().toUtf8() + "\r\n";
}

void TestHostileRequests::oversizedRequests_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");

    const QByteArray login = "POST /api/account/initialize HTTP/1.1\r\nHost: x\r\n";
    QTest::newRow("chunked login body of 20 MB") << chunked(login, 20 * 1024 * 1024) << 413;
    QTest::newRow("chunked upload of 20 MB") << chunked("POST /api/app/upphoto HTTP/1.1\r\nHost: x\r\n"
                                                        "Content-Type: multipart/form-data; boundary=b0\r\n",
                                                        20 * 1024 * 1024)
                                              << 413;
    QTest::newRow("chunked body to an unknown path") << chunked("POST /nothing HTTP/1.1\r\nHost: x\r\n", 20 * 1024 * 1024)
                                                      << 413;
    QTest::newRow("declared 100 MB") << QByteArray(login + "Content-Length: 100000000\r\n\r\n") << 413;
    QTest::newRow("declared length not a number") << QByteArray(login + "Content-Length: 9x\r\n\r\n") << 400;
    // Inflating would get around the body limit, and the module never compresses.
    QTest::newRow("gzip body") << QByteArray(login + "Content-Encoding: gzip\r\nContent-Length: 10\r\n\r\n"
                                             + QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10))
                               << 415;
    QTest::newRow("200000 header lines") << QByteArray("GET / HTTP/1.1\r\n" + QByteArray("X-A: b\r\n").repeated(200000)
                                                       + "\r\n")
                                         << 431;
    QTest::newRow("one header of 1 MB") << QByteArray("GET / HTTP/1.1\r\nX-A: " + QByteArray(1024 * 1024, 'b')
                                                      + "\r\n\r\n")
                                        << 431;
    QTest::newRow("address of 20 KB") << QByteArray("GET /" + QByteArray(20 * 1024, 'a') + " HTTP/1.1\r\n\r\n") << 414;
}

// Refused with the status and the envelope, and the connection closed: nothing of it is kept.
void TestHostileRequests::oversizedRequests()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);

    const RawReply reply = exchange(request);
    QCOMPARE(reply.status, status);
    QCOMPARE(reply.code(), status);
    QCOMPARE(reply.headers.value("connection"), QByteArray("close"));
    QVERIFY(reply.closed);
}

// One byte every 300 ms: dropped with 408 long before the request is complete.
void TestHostileRequests::slowSenderDropped()
{
    const QByteArray request = "GET /api/mtore/appposts HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: " + QByteArray(40, 'z')
                               + "\r\n\r\n";
    const RawReply reply = exchange(request, 300);
    QCOMPARE(reply.status, 408);
    QVERIFY(reply.closed);
    QVERIFY2(reply.sent < request.size(), qPrintable(QString::number(reply.sent)));
}

void TestHostileRequests::keptAliveConnectionServesMany()
{
    const QByteArray one = "POST /api/mtore/appposts HTTP/1.1\r\nHost: x\r\n" + sessionHeaders(m_manager)
                           + "Content-Length: 0\r\n\r\n";
    const int count = 30;
    QList<RawReply> replies;
    exchange(one.repeated(count), 0, count, &replies);
    QCOMPARE(replies.size(), count);
    for (const RawReply& reply : replies) {
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.code(), 200);
        QVERIFY(reply.headers.value("connection") != "close");
    }
}

void TestHostileRequests::fileRanges_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("length");

    QTest::newRow("no range") << QByteArray() << 200 << 0 << -1;
    QTest::newRow("one range") << QByteArray("bytes=10-49") << 206 << 10 << 40;
    QTest::newRow("open range") << QByteArray("bytes=20-") << 206 << 20 << -1;
    QTest::newRow("suffix range") << QByteArray("bytes=-16") << 206 << -16 << 16;
    QTest::newRow("end past the file") << QByteArray("bytes=0-99999999") << 206 << 0 << -1;
    // Answered with the file once, not a reply a thousand times its size.
    QTest::newRow("1000 whole-file ranges") << QByteArray("bytes=" + QByteArray("0-,").repeated(999) + "0-") << 200 << 0
                                            << -1;
    QTest::newRow("start past the file") << QByteArray("bytes=99999999-") << 416 << 0 << 0;
}

void TestHostileRequests::fileRanges()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(int, first);
    QFETCH(int, length);

    const int size = m_pictureBytes.size();
    const int start = first < 0 ? size + first : first;
    const int count = length < 0 ? size - start : length;
    QByteArray request = "GET " + m_picture.toUtf8() + " HTTP/1.1\r\nHost: x\r\n";
    if (!range.isEmpty())
        request += "Range: " + range + "\r\n";
    const RawReply reply = exchange(request + "\r\n");
    QCOMPARE(reply.status, status);
    QCOMPARE(reply.headers.value("x-content-type-options"), QByteArray("nosniff"));
    if (status == 416) {
        QCOMPARE(reply.headers.value("content-range"), "bytes */" + QByteArray::number(size));
        return;
    }
    QCOMPARE(reply.headers.value("content-type"), QByteArray("image/png"));
    QCOMPARE(reply.body, m_pictureBytes.mid(start, count));
    if (status == 206) {
        QCOMPARE(reply.headers.value("content-range"), "bytes " + QByteArray::number(start) + '-'
                                                           + QByteArray::number(start + count - 1) + '/'
                                                           + QByteArray::number(size));
    } else {
        QVERIFY(!reply.headers.contains("content-range"));
    }
}

void TestHostileRequests::unreadableValuesRefused_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("NUL in the query") << QStringLiteral("query") << QStringLiteral("id") << QByteArray("987654321%00junk");
    QTest::newRow("NUL in a form") << QStringLiteral("form") << QStringLiteral("id") << QByteArray("987654321%00junk");
    QTest::newRow("NUL in a multipart value") << QStringLiteral("multipart") << QStringLiteral("housename")
                                              << QByteArray("1\0junk", 6);
    QTest::newRow("Latin-1 in a form") << QStringLiteral("form") << QStringLiteral("housename") << QByteArray("caf%E9");
    QTest::newRow("Latin-1 in a multipart value") << QStringLiteral("multipart") << QStringLiteral("housename")
                                                  << QByteArray("caf\xe9");
}

void TestHostileRequests::unreadableValuesRefused()
{
    QFETCH(QString, how);
    QFETCH(QString, key);
    QFETCH(QByteArray, value);

    const QByteArray path = "/api/diagnostics/echo";
    QByteArray request;
    if (how == QLatin1String("query")) {
        request = "GET " + path + '?' + key.toUtf8() + '=' + value + " HTTP/1.1\r\n\r\n";
    } else if (how == QLatin1String("form")) {
        const QByteArray body = key.toUtf8() + '=' + value;
        request = "POST " + path + " HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: "
                  + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    } else {
        const QByteArray body = "--b0\r\nContent-Disposition: form-data; name=\"" + key.toUtf8() + "\"\r\n\r\n" + value
                                + "\r\n--b0--\r\n";
        request = "POST " + path + " HTTP/1.1\r\nContent-Type: multipart/form-data; boundary=b0\r\nContent-Length: "
                  + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
    const RawReply reply = exchange(request);
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(QJsonDocument::fromJson(reply.body).object().value(QStringLiteral("message")).toString(),
             QStringLiteral("参数含有无效字符"));
}

void TestHostileRequests::staffCannotReadSubmissions_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("owner submissions") << QStringLiteral("api/mtore/mzposts");
    QTest::newRow("visitor demands") << QStringLiteral("api/mtore/gzposts");
}

void TestHostileRequests::staffCannotReadSubmissions()
{
    QFETCH(QString, path);

    const ReferenceService::Reply staff = m_service->post(path, QByteArray("type=0&pagesize=100"), m_staff);
    QCOMPARE(staff.code(), 405);
    QCOMPARE(staff.message(), QStringLiteral("您当前没有权利操作，请联系管理员！"));
    QVERIFY(!staff.body.contains("phone"));
    QCOMPARE(m_service->post(path, QByteArray("type=0"), m_manager).code(), 200);
}

void TestHostileRequests::pictureBombsRefused_data()
{
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("PNG of 7745 x 7745") << pngClaiming(7745, 7745);
    QTest::newRow("PNG of 4000 x 3000") << pngClaiming(4000, 3000);
    QTest::newRow("JPEG of 9000 x 9000") << jpegClaiming(9000, 9000);
}

void TestHostileRequests::pictureBombsRefused()
{
    QFETCH(QByteArray, data);

    const int before = QDir(m_service->filesDir()).entryList(QDir::Files).size();
    const ReferenceService::Reply reply =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), QStringLiteral("bomb.png"), data, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), QStringLiteral("图片尺寸过大"));
    QCOMPARE(QDir(m_service->filesDir()).entryList(QDir::Files).size(), before);
}

QTEST_GUILESS_MAIN(TestHostileRequests)
#include "tst_hostilerequests.moc"
