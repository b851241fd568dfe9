#include "net/pictures/ImageShowLabel.h"
#include "net/platform/AppFolders.h"
#include "net/platform/CacheHousekeeping.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestImages.h"
#include "support/ui/ModuleTestEnvironment.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Writes `bytes` bytes to `folder/name`, last written `ageSecs` ago.
bool writeAged(const QString& folder, const QString& name, int bytes, int ageSecs)
{
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(bytes, 'x')) != bytes || !file.flush())
        return false;
    return file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSecs), QFileDevice::FileModificationTime);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestCacheHousekeeping : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void pictureCacheLosesItsOldestFiles_data();
    void pictureCacheLosesItsOldestFiles();
    void leftoversOfAnEarlierRunGo();
    void downloadsKeepThePictureCacheUnderItsSize();

private:
    QTemporaryDir m_appDir;
};

void TestCacheHousekeeping::initTestCase()
{
    ModuleTestEnvironment::prepare();
    QVERIFY(m_appDir.isValid());
    AppFolders::setApplicationFolderOverride(m_appDir.path());
}

void TestCacheHousekeeping::cleanupTestCase()
{
    CacheHousekeeping::setPictureCacheLimit(0);
    AppFolders::setApplicationFolderOverride(QString());
}

void TestCacheHousekeeping::pictureCacheLosesItsOldestFiles_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<qint64>("target");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<qint64>("left");
    // Files c (oldest), b, a (newest), 400 bytes each.
    QTest::newRow("under the size") << qint64(2000) << qint64(1500) << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")} << qint64(1200);
    QTest::newRow("exactly the size") << qint64(1200) << qint64(900) << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")} << qint64(1200);
    QTest::newRow("over: the oldest go down to the target")
        << qint64(1000) << qint64(750) << QStringList{QStringLiteral("a")} << qint64(400);
    QTest::newRow("over by little: one goes") << qint64(1100) << qint64(800) << QStringList{QStringLiteral("a"), QStringLiteral("b")} << qint64(800);
}

void TestCacheHousekeeping::pictureCacheLosesItsOldestFiles()
{
    QFETCH(qint64, limit);
    QFETCH(qint64, target);
    QFETCH(QStringList, kept);
    QFETCH(qint64, left);
    QTemporaryDir folder;
    // Ages run against the names, so the names do not give the order away.
    QVERIFY(writeAged(folder.path(), QStringLiteral("c"), 400, 3 * 86400));
    QVERIFY(writeAged(folder.path(), QStringLiteral("b"), 400, 86400));
    QVERIFY(writeAged(folder.path(), QStringLiteral("a"), 400, 60));
    QCOMPARE(CacheHousekeeping::trim(folder.path(), limit, target), left);
    QCOMPARE(filesIn(folder.path()), kept);
}

void TestCacheHousekeeping::leftoversOfAnEarlierRunGo()
{
    QTemporaryDir folder;
    QVERIFY(writeAged(folder.path(), QStringLiteral("yesterday.jpg"), 10, 86400));
    QVERIFY(writeAged(folder.path(), QStringLiteral("two-hours.jpg"), 10, 7200));
    // Another window of the application may be compressing right now.
    QVERIFY(writeAged(folder.path(), QStringLiteral("just-now.jpg"), 10, 5));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-CacheHousekeeping::LeftoverAgeSecs);
    QCOMPARE(CacheHousekeeping::removeOlderThan(folder.path(), before), 2);
    QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("just-now.jpg")});
}

// The first picture of a run clears what the last one left in the temporary folder, and every
// download counts towards the picture cache's size.
void TestCacheHousekeeping::downloadsKeepThePictureCacheUnderItsSize()
{
    const QString cache = AppFolders::imageCacheFolder();
    const QString temporary = AppFolders::temporaryFolder();
    QVERIFY(writeAged(temporary, QStringLiteral("left-by-last-run.jpg"), 1000, 86400));
    QVERIFY(writeAged(temporary, QStringLiteral("compressing-now.jpg"), 1000, 1));
    QVERIFY(writeAged(cache, QStringLiteral("old-1"), 24000, 3 * 86400));
    QVERIFY(writeAged(cache, QStringLiteral("old-2"), 24000, 2 * 86400));
    CacheHousekeeping::setPictureCacheLimit(50000);

    ScriptedHttpServer server;
    QVERIFY(server.start());
    // Noise, so that the picture does not shrink to nothing.
    QImage noise(60, 40, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random.generate() | 0xff000000u);
    }
    const QByteArray picture = TestImages::encode(noise, "PNG");
    QVERIFY(48000 + picture.size() > 50000);
    for (int i = 0; i < 2; ++i) {
        server.setReply(QStringLiteral("/files/%1.png").arg(i), ScriptedHttpServer::contentReply("image/png", picture));
        ImageShowLabel label;
        label.setMaxFileSize(1 << 20);
        QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
        label.loadImage(server.url(QStringLiteral("/files/%1.png").arg(i)), false, 0);
        QVERIFY(shown.wait(10000));
    }
    QTRY_COMPARE(filesIn(temporary), QStringList{QStringLiteral("compressing-now.jpg")});
    // Over its size, the cache lost its oldest files and kept what was just shown.
    QTRY_VERIFY(!filesIn(cache).contains(QStringLiteral("old-1")));
    QTRY_VERIFY([&cache]() {
        qint64 total = 0;
        for (const QFileInfo& file : QDir(cache).entryInfoList(QDir::Files))
            total += file.size();
        return total <= 50000;
    }());
    QCOMPARE(filesIn(cache).filter(QStringLiteral(".png")).size(), 2);
}

QTEST_MAIN(TestCacheHousekeeping)
#include "tst_cachehousekeeping.moc"
