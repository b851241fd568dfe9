#include "net/http/ServiceAddresses.h"
#include "net/pictures/PhotoWork.h"
#include "net/pictures/PhotosUploadObject.h"
#include "net/platform/AppFolders.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestImages.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Photo = PhotosUploadObject::PhotosModel;

namespace {

Photo photoAt(const QString& path)
{
    Photo photo;
    photo.path = path;
    return photo;
}

QStringList urlsOf(const QList<Photo>& photos)
{
    QStringList urls;
    for (const Photo& photo : photos)
        urls << photo.url;
    return urls;
}

QList<Photo> finishedList(const QSignalSpy& spy)
{
    return spy.isEmpty() ? QList<Photo>() : spy.last().first().value<QList<Photo>>();
}

} // namespace

class TestPhotosUpload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void batchesWithoutLocalPhotosFinishInsideTheCall_data();
    void batchesWithoutLocalPhotosFinishInsideTheCall();
    void repliesInAnyOrderFinishOnceInTheGivenOrder();
    void answeredAddressesGetASchemeOnlyWhenTheyHaveNone_data();
    void answeredAddressesGetASchemeOnlyWhenTheyHaveNone();
    void aFailedUploadEndsTheBatchWithoutAnAddress();
    void aMissingFileFinishesAtOnceAndIsReported();
    void progressCountsEveryPhotoAndTheBytesSent();
    void workNamesTheFailedPhotoWithTheReasonInOneMessage_data();
    void workNamesTheFailedPhotoWithTheReasonInOneMessage();
    void workRefusesAnUnreadableResultBeforeSendingAnything();
    void workDropsResultsOfAnOlderPick();
    void workRemovesItsUploadedCompressionResults();

private:
    QString writeJpeg(const QString& name, const QColor& colour = Qt::darkCyan);

    QTemporaryDir m_dir;
    ScriptedHttpServer m_server;
};

void TestPhotosUpload::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    qRegisterMetaType<QList<Photo>>();
    qRegisterMetaType<Photo>();
    QVERIFY(m_dir.isValid());
    QVERIFY(m_server.start());
    m_server.useAsApiBase();
}

void TestPhotosUpload::init()
{
    m_server.clear();
    AlertProbe::closeAll();
}

QString TestPhotosUpload::writeJpeg(const QString& name, const QColor& colour)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(TestImages::encode(TestImages::filled(QSize(64, 48), colour), "JPEG", 80));
    return path;
}

void TestPhotosUpload::batchesWithoutLocalPhotosFinishInsideTheCall_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("urls");
    QTest::newRow("empty batch") << QStringList() << QStringList();
    QTest::newRow("one https address") << QStringList{QStringLiteral("https://cdn.example.com/a.jpg")}
                                       << QStringList{QStringLiteral("https://cdn.example.com/a.jpg")};
    QTest::newRow("remote only, an empty path among them")
        << QStringList{QStringLiteral("http://127.0.0.1:1/files/a.jpg"), QString(), QStringLiteral("https://x.example.com/b.png")}
        << QStringList{QStringLiteral("http://127.0.0.1:1/files/a.jpg"), QString(), QStringLiteral("https://x.example.com/b.png")};
}

void TestPhotosUpload::batchesWithoutLocalPhotosFinishInsideTheCall()
{
    QFETCH(QStringList, paths);
    QFETCH(QStringList, urls);
    PhotosUploadObject upload;
    QSignalSpy batch(&upload, &PhotosUploadObject::photosUpFinish);
    QSignalSpy single(&upload, &PhotosUploadObject::singlePhotoUpFinish);
    QList<Photo> photos;
    for (const QString& path : paths)
        photos << photoAt(path);
    upload.upload(ServiceAddresses::uploadUrl(), photos, {{QStringLiteral("type"), QStringLiteral("11")}});

    QCOMPARE(batch.count(), 1);
    QCOMPARE(urlsOf(finishedList(batch)), urls);
    QCOMPARE(single.count(), paths.size() == 1 ? 1 : 0);
    if (paths.size() == 1)
        QCOMPARE(single.first().first().value<Photo>().url, urls.first());
    QVERIFY(m_server.requests().isEmpty());
}

void TestPhotosUpload::repliesInAnyOrderFinishOnceInTheGivenOrder()
{
    // Each photo's reply is held back by its own delay: the third answers first, then the first,
    // then the second.
    const QMap<QByteArray, int> delays{{"one.jpg", 300}, {"two.jpg", 600}, {"three.jpg", 0}};
    m_server.setResponder(QStringLiteral("/api/app/upphoto"), [delays](const ScriptedHttpServer::Request& request) {
        for (auto it = delays.begin(); it != delays.end(); ++it) {
            if (request.body.contains("filename=\"" + it.key() + "\"")) {
                auto reply = ScriptedHttpServer::envelope(200, QStringLiteral("upload/") + QString::fromLatin1(it.key()));
                reply.delayMs = it.value();
                return reply;
            }
        }
        return ScriptedHttpServer::envelope(500, QStringLiteral("unknown file"));
    });
    PhotosUploadObject upload;
    QStringList order;
    connect(&upload, &PhotosUploadObject::photosProgress, this, [&](int finished, int) {
        order << QString::number(finished);
    });
    QSignalSpy batch(&upload, &PhotosUploadObject::photosUpFinish);
    upload.upload(ServiceAddresses::uploadUrl(),
                  {photoAt(writeJpeg(QStringLiteral("one.jpg"))), photoAt(writeJpeg(QStringLiteral("two.jpg"))), photoAt(writeJpeg(QStringLiteral("three.jpg")))},
                  {{QStringLiteral("type"), QStringLiteral("11")}});
    QCOMPARE(batch.count(), 0);
    QVERIFY(batch.wait(5000));
    QCOMPARE(order, QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(urlsOf(finishedList(batch)),
             QStringList({QStringLiteral("http://upload/one.jpg"), QStringLiteral("http://upload/two.jpg"), QStringLiteral("http://upload/three.jpg")}));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/api/app/upphoto")).size(), 3);
    const QByteArray body = m_server.requests().first().body;
    QVERIFY(body.contains("name=\"type\""));
    QVERIFY(body.contains("name=\"file\""));
    QTest::qWait(0);
    QCOMPARE(batch.count(), 1);
}

void TestPhotosUpload::answeredAddressesGetASchemeOnlyWhenTheyHaveNone_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("url");
    QTest::newRow("bare") << QStringLiteral("files/a.jpg") << QStringLiteral("http://files/a.jpg");
    QTest::newRow("http") << QStringLiteral("http://h/files/a.jpg") << QStringLiteral("http://h/files/a.jpg");
    QTest::newRow("https kept") << QStringLiteral("https://h/files/a.jpg") << QStringLiteral("https://h/files/a.jpg");
}

void TestPhotosUpload::answeredAddressesGetASchemeOnlyWhenTheyHaveNone()
{
    QFETCH(QString, answer);
    QFETCH(QString, url);
    m_server.setReply(QStringLiteral("/api/app/upphoto"), ScriptedHttpServer::envelope(200, answer));
    PhotosUploadObject upload;
    QSignalSpy single(&upload, &PhotosUploadObject::singlePhotoUpFinish);
    upload.upload(ServiceAddresses::uploadUrl(), {photoAt(writeJpeg(QStringLiteral("scheme.jpg")))}, {{QStringLiteral("type"), QStringLiteral("8")}});
    QVERIFY(single.wait(5000));
    QCOMPARE(single.first().first().value<Photo>().url, url);
}

void TestPhotosUpload::aFailedUploadEndsTheBatchWithoutAnAddress()
{
    m_server.setResponder(QStringLiteral("/api/app/upphoto"), [](const ScriptedHttpServer::Request& request) {
        if (request.body.contains("filename=\"bad.jpg\""))
            return ScriptedHttpServer::contentReply("text/plain", "broken");
        return ScriptedHttpServer::envelope(200, QStringLiteral("http://h/ok.jpg"));
    });
    PhotosUploadObject upload;
    QSignalSpy batch(&upload, &PhotosUploadObject::photosUpFinish);
    upload.upload(ServiceAddresses::uploadUrl(),
                  {photoAt(writeJpeg(QStringLiteral("good1.jpg"))), photoAt(writeJpeg(QStringLiteral("bad.jpg"))), photoAt(writeJpeg(QStringLiteral("good2.jpg")))},
                  {});
    QVERIFY(batch.wait(5000));
    const QList<Photo> photos = finishedList(batch);
    QCOMPARE(urlsOf(photos), QStringList({QStringLiteral("http://h/ok.jpg"), QString(), QStringLiteral("http://h/ok.jpg")}));
    QCOMPARE(PhotosUploadObject::missingAddresses(photos), QList<int>{1});
    AlertProbe::closeAll();
}

void TestPhotosUpload::aMissingFileFinishesAtOnceAndIsReported()
{
    PhotosUploadObject upload;
    QSignalSpy batch(&upload, &PhotosUploadObject::photosUpFinish);
    upload.upload(ServiceAddresses::uploadUrl(), {photoAt(m_dir.filePath(QStringLiteral("gone.jpg")))}, {});
    QCOMPARE(batch.count(), 1);
    QCOMPARE(PhotosUploadObject::missingAddresses(finishedList(batch)), QList<int>{0});
    AlertProbe::closeAll();
}

void TestPhotosUpload::progressCountsEveryPhotoAndTheBytesSent()
{
    m_server.setReply(QStringLiteral("/api/app/upphoto"), ScriptedHttpServer::envelope(200, QStringLiteral("http://h/x.jpg")));
    PhotoWork work;
    QStringList stages;
    connect(&work, &PhotoWork::stageChanged, this, [&](const QString& text) { stages << text; });
    QSignalSpy done(&work, &PhotoWork::uploaded);
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths << writeJpeg(QStringLiteral("p%1.jpg").arg(i), QColor::fromHsv(i * 60, 200, 200));
    paths.insert(2, QStringLiteral("http://h/already.jpg"));
    PhotosUploadObject* upload = nullptr;
    qint64 lastSent = 0;
    work.upload(ServiceAddresses::uploadUrl(), paths, {});
    upload = work.findChild<PhotosUploadObject*>();
    QVERIFY(upload);
    connect(upload, &PhotosUploadObject::bytesProgress, this, [&](qint64 sent, qint64) { lastSent = qMax(lastSent, sent); });
    QVERIFY(done.wait(5000));
    QCOMPARE(stages.first(), QStringLiteral("上传中 0/6"));
    QCOMPARE(stages.last(), QStringLiteral("上传中 6/6"));
    QVERIFY(lastSent > 0);
    const QList<Photo> photos = done.first().first().value<QList<Photo>>();
    QCOMPARE(photos.size(), 6);
    QCOMPARE(photos.at(2).url, QStringLiteral("http://h/already.jpg"));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/api/app/upphoto")).size(), 5);
}

void TestPhotosUpload::workNamesTheFailedPhotoWithTheReasonInOneMessage_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("message");
    const QByteArray refused = QJsonDocument(QJsonObject{{QStringLiteral("code"), 500}, {QStringLiteral("message"), QStringLiteral("磁盘已满")}}).toJson();
    QTest::newRow("refused by the service") << 200 << refused << false << QStringLiteral("第2张图片上传失败：磁盘已满");
    QTest::newRow("HTTP 500") << 500 << QByteArray("Internal Server Error") << false
                              << QStringLiteral("第2张图片上传失败：服务暂时不可用（500），请稍后重试");
    QTest::newRow("connection dropped") << 200 << refused << true << QStringLiteral("第2张图片上传失败：网络连接中断");
}

void TestPhotosUpload::workNamesTheFailedPhotoWithTheReasonInOneMessage()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, dropped);
    m_server.setResponder(QStringLiteral("/api/app/upphoto"), [=](const ScriptedHttpServer::Request& request) {
        if (!request.body.contains("filename=\"second.jpg\""))
            return ScriptedHttpServer::envelope(200, QStringLiteral("http://h/ok.jpg"));
        ScriptedHttpServer::Reply reply = ScriptedHttpServer::contentReply("application/json", body);
        reply.status = status;
        reply.closeMidBody = dropped;
        return reply;
    });
    PhotoWork work;
    QSignalSpy done(&work, &PhotoWork::uploaded);
    QSignalSpy failed(&work, &PhotoWork::uploadFailed);
    work.upload(ServiceAddresses::uploadUrl(),
                {writeJpeg(QStringLiteral("first.jpg")), writeJpeg(QStringLiteral("second.jpg")), writeJpeg(QStringLiteral("third.jpg"))}, {});
    QVERIFY(failed.wait(5000));
    QCOMPARE(failed.count(), 1);
    QTEST(failed.first().first().toString(), "message");
    QCOMPARE(done.count(), 0);
    // The editor's alert is the only one: the request objects say nothing of their own.
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
}

void TestPhotosUpload::workRefusesAnUnreadableResultBeforeSendingAnything()
{
    const QString broken = m_dir.filePath(QStringLiteral("broken.jpg"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    m_server.setReply(QStringLiteral("/api/app/upphoto"), ScriptedHttpServer::envelope(200, QStringLiteral("http://h/ok.jpg")));
    PhotoWork work;
    QSignalSpy failed(&work, &PhotoWork::uploadFailed);
    work.upload(ServiceAddresses::uploadUrl(), {writeJpeg(QStringLiteral("fine.jpg")), broken}, {});
    QCOMPARE(failed.count(), 1);
    QVERIFY(failed.first().first().toString().startsWith(QStringLiteral("第2张图片")));
    QVERIFY(m_server.requests().isEmpty());
}

void TestPhotosUpload::workDropsResultsOfAnOlderPick()
{
    PhotoWork work;
    QStringList results;
    connect(&work, &PhotoWork::compressed, this, [&](const QString& path) { results << path; });
    QSignalSpy idle(&work, &PhotoWork::compressionDone);
    // A large first pick and a small second one: whichever finishes first, only the second counts.
    QImage big(3000, 2000, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    const QString first = m_dir.filePath(QStringLiteral("older.jpg"));
    QVERIFY(big.save(first, "JPEG", 95));
    const QString second = writeJpeg(QStringLiteral("newer.jpg"), Qt::red);
    work.compress({first}, PhotoWork::DefaultLimit, 1.0, true);
    work.compress({second}, PhotoWork::DefaultLimit, 1.0, true);
    QCOMPARE(work.runsInFlight(), 2);
    QVERIFY(idle.wait(10000));
    QCOMPARE(work.runsInFlight(), 0);
    QCOMPARE(results.size(), 1);
    QVERIFY(results.first().contains(QStringLiteral("newer")));
}

// A compression result goes once the service has its copy; a file the user picked stays. A save
// tried again sends the result's address instead of the removed file.
void TestPhotosUpload::workRemovesItsUploadedCompressionResults()
{
    QTemporaryDir appDir;
    QVERIFY(appDir.isValid());
    AppFolders::setApplicationFolderOverride(appDir.path());
    QVERIFY(QDir().mkpath(AppFolders::temporaryFolder()));
    const QString picked = writeJpeg(QStringLiteral("picked.jpg"));
    const QString result = AppFolders::temporaryFolder() + QStringLiteral("/compressed_1.jpg");
    QVERIFY(QFile::copy(writeJpeg(QStringLiteral("large.jpg"), Qt::darkRed), result));
    int sent = 0;
    m_server.setResponder(QStringLiteral("/api/app/upphoto"), [&sent](const ScriptedHttpServer::Request&) {
        ++sent;
        return ScriptedHttpServer::envelope(200, QStringLiteral("http://h/files/%1.jpg").arg(sent));
    });

    PhotoWork work;
    QSignalSpy done(&work, &PhotoWork::uploaded);
    work.upload(ServiceAddresses::uploadUrl(), {picked, result}, {});
    QVERIFY(done.wait(5000));
    const QStringList first = urlsOf(done.last().first().value<QList<Photo>>());
    QCOMPARE(first.size(), 2);
    QVERIFY(!QFile::exists(result));
    QVERIFY(QFile::exists(picked));

    work.upload(ServiceAddresses::uploadUrl(), {picked, result}, {});
    QVERIFY(done.wait(5000));
    const QStringList second = urlsOf(done.last().first().value<QList<Photo>>());
    QCOMPARE(second.at(1), first.at(1));
    QVERIFY(!second.at(0).isEmpty());
    QCOMPARE(sent, 3);
    AppFolders::setApplicationFolderOverride(QString());
}

QTEST_MAIN(TestPhotosUpload)
#include "tst_photosupload.moc"
