#include "support/service/ReferenceService.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QJsonObject>
#include <QNetworkReply>
#include <QScopedPointer>
#include <QTest>

#include <vector>

namespace {

using Headers = ReferenceService::Headers;

const QString kUpload = QStringLiteral("api/app/upphoto");
const qint64 kBurstBoundMb = 128;
const int kBurst = 8;

// A 4K screen's picture at 16 bits a channel with transparency, as a PNG of a few hundred KB.
QByteArray deepPng()
{
    QImage image(3840, 2160, QImage::Format_RGBA64);
    for (int y = 0; y < image.height(); ++y) {
        auto* pixel = reinterpret_cast<quint16*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            *pixel++ = static_cast<quint16>(x * 17);
            *pixel++ = static_cast<quint16>(y * 30);
            *pixel++ = static_cast<quint16>((x ^ y) * 13);
            *pixel++ = static_cast<quint16>(65535 - x);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return png;
}

} // namespace

// Pictures whose file is small but whose pixels are many and deep, uploaded at once: each is
// decoded at 8 bits a channel, a few at a time, so the service's memory stays bounded and goes
// back once the burst is over.
class TestUploadMemory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void deepPicturesAtOnce();

private:
    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;
};

void TestUploadMemory::initTestCase()
{
    // The sanitizer keeps freed memory in a quarantine of 256 MB, which would measure the
    // sanitizer rather than the service.
    qputenv("ASAN_OPTIONS", qgetenv("ASAN_OPTIONS") + ":quarantine_size_mb=8");
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    QVERIFY(!m_manager.isEmpty());
}

void TestUploadMemory::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestUploadMemory::deepPicturesAtOnce()
{
    const QByteArray png = deepPng();
    QCOMPARE(static_cast<int>(png.at(24)), 16);
    const QMap<QString, QString> fields{{QStringLiteral("type"), QStringLiteral("11")}};
    // One first, so that what stays loaded after a first picture is not counted.
    const ReferenceService::Reply first = m_service->upload(kUpload, fields, QStringLiteral("file"),
                                                            QStringLiteral("deep.png"), png, m_manager);
    QCOMPARE(first.code(), 200);
    const QJsonObject stored = first.data().toObject();
    QCOMPARE(stored.value(QStringLiteral("width")).toInt(), 2560);
    QCOMPARE(stored.value(QStringLiteral("height")).toInt(), 1440);
    const QImage kept = QImage::fromData(m_service->get(stored.value(QStringLiteral("url")).toString()).body);
    QCOMPARE(kept.size(), QSize(2560, 1440));
    // The colours made it through the change of depth.
    QCOMPARE(qRed(kept.pixel(0, 0)), 0);
    QVERIFY(qAlpha(kept.pixel(0, 0)) > 250);

    const qint64 beforeKb = m_service->memoryKb("VmRSS");
    QVERIFY(beforeKb > 0);
    QVERIFY(m_service->resetPeakMemory());
    std::vector<QNetworkReply*> sent;
    for (int i = 0; i < kBurst; ++i)
        sent.push_back(m_service->uploadUnwaited(kUpload, fields, QStringLiteral("file"), QStringLiteral("deep.png"),
                                                 png, m_manager));
    int stored8 = 0;
    for (QNetworkReply* reply : sent) {
        const ReferenceService::Reply answer = m_service->wait(reply);
        if (answer.code() == 200) {
            ++stored8;
            continue;
        }
        // Those that waited too long for a turn are told the service is busy.
        QCOMPARE(answer.httpStatus, 503);
        QCOMPARE(answer.message(), QStringLiteral("服务暂时不可用，请稍后重试"));
    }
    const qint64 grownMb = (m_service->memoryKb("VmHWM") - beforeKb) / 1024;
    qInfo("%d of %d stored; peak memory grew by %lld MB", stored8, kBurst, grownMb);
    QVERIFY(stored8 >= 2);
    QVERIFY2(grownMb < kBurstBoundMb, qPrintable(QStringLiteral("peak memory grew by %1 MB").arg(grownMb)));
    // Afterwards the memory goes back.
    QTRY_VERIFY_WITH_TIMEOUT(m_service->memoryKb("VmRSS") - beforeKb < 32 * 1024, 10000);
}

QTEST_GUILESS_MAIN(TestUploadMemory)
#include "tst_uploadmemory.moc"
