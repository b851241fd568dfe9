#include "net/http/ServiceAddresses.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PictureDownloader.h"
#include "net/platform/AppFolders.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestImages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QNetworkReply>
#include <QPainter>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QtTest>

using TestImages::encode;
using TestImages::filled;

namespace {

ScriptedHttpServer::Reply picture(const QByteArray& bytes)
{
    return ScriptedHttpServer::contentReply(QByteArrayLiteral("image/jpeg"), bytes);
}

QStringList cacheFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

QImage readFile(const QString& path)
{
    QImageReader reader(path);
    return reader.read();
}

// Green bands at both ends of the long side, red and blue halves between them: a fitted picture
// shows the bands, a covering one cuts them off, a stretched one fills the label.
QImage bandedPicture(Qt::Orientation longSide)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    painter.fillRect(40, 0, 60, 100, Qt::red);
    painter.fillRect(100, 0, 60, 100, Qt::blue);
    painter.end();
    return longSide == Qt::Horizontal ? image : image.transformed(QTransform().rotate(90));
}

// The picture's colour at a point of the label, or 'n' where no picture is drawn.
char colourAt(const QImage& shot, const QPoint& point)
{
    const QColor colour(shot.pixel(point));
    if (colour.red() > 200 && colour.green() < 60 && colour.blue() < 60)
        return 'r';
    if (colour.green() > 200 && colour.red() < 60 && colour.blue() < 60)
        return 'g';
    if (colour.blue() > 200 && colour.red() < 60 && colour.green() < 60)
        return 'b';
    return 'n';
}

} // namespace

class TestImageShowLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void emptySourceShowsThePlaceholder();
    void sameAddressDownloadsOnce();
    void limitIsPartOfTheCacheName();
    void addressWithoutSchemeAndWithSpaces();
    void brokenDownloadLeavesNoFile();
    void errorPageIsNotCached();
    void certificateErrorFailsTheDownload();
    void largeDownloadIsCompressedInPlace();
    void largeLocalFileGoesThroughCompression();
    void undecodableCacheFileGetsTheOtherExtension();
    void maskKeepsThePictureInsideTheCircle();
    void picturesKeepTheirProportions_data();
    void picturesKeepTheirProportions();
    void pickableLabelSaysWhereToClick();
    void mouseSignals();
    void olderLoadNeverReplacesANewerOne();
    void labelsShareOneDownloadPerAddress();
    void serviceValueThatIsNotAnAddressIsNeverOpened_data();
    void serviceValueThatIsNotAnAddressIsNeverOpened();
    void unreadablePictureShowsThePlaceholder_data();
    void unreadablePictureShowsThePlaceholder();

private:
    // Loads and waits until the label shows a picture.
    bool loadAndWait(ImageShowLabel& label, const QString& source, bool compress = false, int maskSize = 0);
    // Loads and waits until the label's download has ended, whatever its outcome.
    void loadAndWaitForReply(ImageShowLabel& label, const QString& source);

    QTemporaryDir m_appDir;
    ScriptedHttpServer m_server;
    QString m_cache;
    QByteArray m_smallJpeg;
};

void TestImageShowLabel::initTestCase()
{
    QVERIFY(m_appDir.isValid());
    qRegisterMetaType<QNetworkReply*>();
    AppFolders::setApplicationFolderOverride(m_appDir.path());
    m_cache = m_appDir.path() + QStringLiteral("/cache/img");
    QVERIFY(m_server.start());
    // The test server stands in for a picture host of the service.
    qputenv("MICROSITE_FILE_HOSTS", QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()).toLatin1());
    ServiceAddresses::reload();

    m_smallJpeg = encode(filled(QSize(120, 80), QColor(200, 30, 30)), "JPEG");
    QVERIFY(m_smallJpeg.size() < 30720);
}

void TestImageShowLabel::init()
{
    m_server.clear();
    QDir(m_cache).removeRecursively();
}

void TestImageShowLabel::cleanupTestCase()
{
    AppFolders::setApplicationFolderOverride(QString());
    qunsetenv("MICROSITE_FILE_HOSTS");
    ServiceAddresses::reload();
}

bool TestImageShowLabel::loadAndWait(ImageShowLabel& label, const QString& source, bool compress, int maskSize)
{
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    label.loadImage(source, compress, maskSize);
    return shown.count() > 0 || shown.wait(30000);
}

void TestImageShowLabel::loadAndWaitForReply(ImageShowLabel& label, const QString& source)
{
    QSignalSpy finished(PictureDownloader::shared(), &PictureDownloader::finished);
    label.loadImage(source, false, 0);
    QVERIFY(finished.wait(30000));
    QCoreApplication::processEvents();
}

void TestImageShowLabel::emptySourceShowsThePlaceholder()
{
    ImageShowLabel label;
    QSignalSpy started(&label, &ImageShowLabel::startLoad);
    QSignalSpy sizes(&label, &ImageShowLabel::backImgSize);
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    label.loadImage(QString(), false, 0);
    QCOMPARE(started.count(), 1);
    QCOMPARE(sizes.count(), 1);
    QCOMPARE(sizes.at(0).at(0).toSize(), QImage(QStringLiteral(":/res/moren.png")).size());
    QVERIFY(!QImage(QStringLiteral(":/res/moren.png")).isNull());
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(shown.count(), 0);
    QVERIFY(!label.isLoaded());
}

void TestImageShowLabel::sameAddressDownloadsOnce()
{
    m_server.setReply(QStringLiteral("/img/photo_12345.jpg"), picture(m_smallJpeg));
    const QString address = m_server.url(QStringLiteral("/img/photo_12345.jpg"));

    ImageShowLabel first;
    first.resize(120, 80);
    QSignalSpy sizes(&first, &ImageShowLabel::backImgSize);
    QVERIFY(loadAndWait(first, address));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/img/photo_12345.jpg")).size(), 1);
    QVERIFY(first.getShownPath().startsWith(m_cache + QLatin1Char('/')));
    QVERIFY(first.getShownPath().endsWith(QLatin1String("-45.jpg")));
    QCOMPARE(QFileInfo(first.getShownPath()).fileName(), ImageShowLabel::cacheName(30720, address));
    QCOMPARE(sizes.last().at(0).toSize(), QSize(120, 80));
    QVERIFY(first.isLoaded());
    QVERIFY(first.styleSheet().contains(QLatin1String("border-image: none;image: none;")));

    // A second label and a second load of the first read the cache.
    ImageShowLabel second;
    QVERIFY(loadAndWait(second, address));
    QVERIFY(loadAndWait(first, address));
    QCOMPARE(second.getShownPath(), first.getShownPath());
    QCOMPARE(m_server.requestsTo(QStringLiteral("/img/photo_12345.jpg")).size(), 1);
    // The style sheet does not grow with every load.
    QCOMPARE(first.styleSheet().count(QLatin1String("border-image")), 1);
}

void TestImageShowLabel::limitIsPartOfTheCacheName()
{
    m_server.setReply(QStringLiteral("/img/a.jpg"), picture(m_smallJpeg));
    const QString address = m_server.url(QStringLiteral("/img/a.jpg"));
    ImageShowLabel label;
    QVERIFY(loadAndWait(label, address));
    const QString firstFile = label.getShownPath();

    label.setMaxFileSize(40000);
    QVERIFY(loadAndWait(label, address));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/img/a.jpg")).size(), 2);
    QVERIFY(label.getShownPath() != firstFile);
    QCOMPARE(QFileInfo(label.getShownPath()).fileName(), ImageShowLabel::cacheName(40000, address));
    QCOMPARE(cacheFiles(m_cache).size(), 2);
}

void TestImageShowLabel::addressWithoutSchemeAndWithSpaces()
{
    m_server.setReply(QStringLiteral("/up/house1.jpg"), picture(m_smallJpeg));
    const QString spaced = QStringLiteral(" 127.0.0.1:%1/up/ house 1.jpg").arg(m_server.serverPort());
    QVERIFY(ImageShowLabel::isAddress(spaced));
    QVERIFY(!ImageShowLabel::isAddress(QStringLiteral("/home/user/house 1.jpg")));

    ImageShowLabel label;
    QVERIFY(loadAndWait(label, spaced));
    QCOMPARE(label.getSource(), QStringLiteral("http://127.0.0.1:%1/up/house1.jpg").arg(m_server.serverPort()));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/up/house1.jpg")).size(), 1);
    QCOMPARE(ImageShowLabel::normalizedAddress(QStringLiteral("https://a.b/c d.png")), QStringLiteral("https://a.b/cd.png"));

    // The name's tail ignores the query and keeps at most six characters; "%" never reaches a file name.
    const QString name = ImageShowLabel::cacheName(30720, QStringLiteral("http://h/p/x%20y.png?w=1/2"));
    QVERIFY2(name.endsWith(QLatin1String("-0y.png")), qPrintable(name));
    QVERIFY(!name.contains(QLatin1Char('%')));

    // The key is the MD5 of the limit and the address; addresses that differ only in Chinese
    // characters still get files of their own.
    QCOMPARE(ImageShowLabel::cacheName(30720, QStringLiteral("http://h/a.jpg")),
             QString::fromLatin1(QCryptographicHash::hash("30720http://h/a.jpg", QCryptographicHash::Md5).toHex())
                 + QStringLiteral("-a.jpg"));
    QVERIFY(ImageShowLabel::cacheName(30720, QStringLiteral("http://h/房源一.jpg"))
            != ImageShowLabel::cacheName(30720, QStringLiteral("http://h/房源二.jpg")));
}

void TestImageShowLabel::brokenDownloadLeavesNoFile()
{
    ScriptedHttpServer::Reply broken = picture(encode(filled(QSize(400, 300), Qt::blue), "JPEG", 100));
    broken.closeMidBody = true;
    m_server.setReply(QStringLiteral("/img/broken.jpg"), broken);

    ImageShowLabel label;
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    loadAndWaitForReply(label, m_server.url(QStringLiteral("/img/broken.jpg")));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/img/broken.jpg")).size(), 1);
    QCOMPARE(cacheFiles(m_cache), QStringList());
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(shown.count(), 0);
}

void TestImageShowLabel::errorPageIsNotCached()
{
    // A page that answers 200 with HTML would otherwise stay in the cache and never show.
    ScriptedHttpServer::Reply page;
    page.body = QByteArrayLiteral("<html><body>Object moved</body></html>");
    m_server.setReply(QStringLiteral("/img/page.jpg"), page);
    ImageShowLabel label;
    loadAndWaitForReply(label, m_server.url(QStringLiteral("/img/page.jpg")));
    QCOMPARE(cacheFiles(m_cache), QStringList());

    // Once the host serves the picture, the next load shows it.
    m_server.setReply(QStringLiteral("/img/page.jpg"), picture(m_smallJpeg));
    QVERIFY(loadAndWait(label, m_server.url(QStringLiteral("/img/page.jpg"))));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/img/page.jpg")).size(), 2);
}

void TestImageShowLabel::certificateErrorFailsTheDownload()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS support in this Qt build");
    QFile certFile(QStringLiteral(KQ_TESTDATA_DIR "/tls/selfsigned.crt"));
    QFile keyFile(QStringLiteral(KQ_TESTDATA_DIR "/tls/selfsigned.key"));
    QVERIFY(certFile.open(QIODevice::ReadOnly));
    QVERIFY(keyFile.open(QIODevice::ReadOnly));
    ScriptedHttpServer tls;
    QVERIFY(tls.startTls(QSslCertificate(certFile.readAll()), QSslKey(keyFile.readAll(), QSsl::Rsa)));
    tls.setReply(QStringLiteral("/img/secure.jpg"), picture(m_smallJpeg));

    ImageShowLabel label;
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    loadAndWaitForReply(label, tls.url(QStringLiteral("/img/secure.jpg")));
    QCOMPARE(shown.count(), 0);
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(cacheFiles(m_cache), QStringList());
    QCOMPARE(tls.requestsTo(QStringLiteral("/img/secure.jpg")).size(), 0);
}

void TestImageShowLabel::largeDownloadIsCompressedInPlace()
{
    QFile photo(QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_1.jpg"));
    QVERIFY(photo.open(QIODevice::ReadOnly));
    const QByteArray bytes = photo.readAll();
    QVERIFY(bytes.size() > 30720);
    m_server.setReply(QStringLiteral("/img/big.jpg"), picture(bytes));
    const QString address = m_server.url(QStringLiteral("/img/big.jpg"));

    ImageShowLabel label;
    label.resize(160, 120);
    QSignalSpy sizes(&label, &ImageShowLabel::backImgSize);
    QVERIFY(loadAndWait(label, address, true));
    const QString cacheFile = m_cache + QLatin1Char('/') + ImageShowLabel::cacheName(30720, address);
    // The compressed picture replaced the downloaded one under the same name.
    QCOMPARE(label.getShownPath(), cacheFile);
    QCOMPARE(cacheFiles(m_cache), QStringList{QFileInfo(cacheFile).fileName()});
    QVERIFY(QFileInfo(cacheFile).size() < bytes.size());
    const QSize shownSize = readFile(cacheFile).size();
    QVERIFY(shownSize.width() <= 1620 && shownSize.width() > 0);
    QCOMPARE(sizes.last().at(0).toSize(), shownSize);
    QVERIFY(qAbs(label.getAspectRatio() - 2.0 / 3.0) < 0.02);
}

void TestImageShowLabel::largeLocalFileGoesThroughCompression()
{
    // Without compression asked for, a large file is not shown as it is.
    const QString photo = QStringLiteral(KQ_TESTDATA_DIR "/photos/Portrait_1.jpg");
    ImageShowLabel label;
    label.resize(90, 135);
    QSignalSpy sizes(&label, &ImageShowLabel::backImgSize);
    QVERIFY(loadAndWait(label, photo));
    QCOMPARE(sizes.first().at(0).toSize(), QSize(1200, 1800));
    QCOMPARE(label.getShownPath(), m_cache + QStringLiteral("/again_Portrait_1.jpg"));
    QCOMPARE(label.getPaintState(), 3);
    QVERIFY(QFileInfo(label.getShownPath()).size() < QFileInfo(photo).size());

    // A small file is shown directly, at the display size when one is set.
    const QString small = m_appDir.path() + QStringLiteral("/small.png");
    QVERIFY(filled(QSize(30, 20), Qt::green).save(small));
    ImageShowLabel fixed;
    fixed.setShowSize(60, 40);
    QVERIFY(loadAndWait(fixed, small));
    QCOMPARE(fixed.getShownPath(), small);
    QCOMPARE(fixed.getPaintState(), 2);
}

void TestImageShowLabel::undecodableCacheFileGetsTheOtherExtension()
{
    const QString address = m_server.url(QStringLiteral("/img/logo.png"));
    const QString cached = m_cache + QLatin1Char('/') + ImageShowLabel::cacheName(30720, address);
    QVERIFY(cached.endsWith(QLatin1String(".png")));
    QVERIFY(QDir().mkpath(m_cache));
    {
        QFile file(cached);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }
    ImageShowLabel label;
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    label.loadImage(address, false, 0);
    QString expected = cached;
    expected.replace(expected.length() - 3, 3, QStringLiteral("jpg"));
    // Renamed, it still does not decode: the placeholder stays.
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(shown.count(), 0);
    QVERIFY(QFileInfo::exists(expected));
    QVERIFY(!QFileInfo::exists(cached));
    QCOMPARE(m_server.requests().size(), 0);
}

void TestImageShowLabel::maskKeepsThePictureInsideTheCircle()
{
    const QString red = m_appDir.path() + QStringLiteral("/red.png");
    QVERIFY(filled(QSize(50, 50), Qt::red).save(red));
    ImageShowLabel label;
    label.resize(100, 100);
    QVERIFY(loadAndWait(label, red, false, 30));
    QCOMPARE(label.getPaintState(), 1);
    const QImage shot = label.grab().toImage();
    // The square of side 60 around the centre: red in the middle, nothing in its corners.
    QCOMPARE(QColor(shot.pixel(50, 50)), QColor(Qt::red));
    QVERIFY(QColor(shot.pixel(22, 22)) != QColor(Qt::red));
    QVERIFY(QColor(shot.pixel(77, 77)) != QColor(Qt::red));
    QCOMPARE(QColor(shot.pixel(50, 22)), QColor(Qt::red));
}

void TestImageShowLabel::picturesKeepTheirProportions_data()
{
    QTest::addColumn<int>("longSide");
    QTest::addColumn<bool>("cover");
    QTest::addColumn<QSize>("displaySize");
    // Points of a 100 x 100 label, along the picture's long side and across it, and what each shows.
    QTest::addColumn<QString>("expected");
    // Points: middle of the first band, middle of the red half, middle of the blue half, the
    // middle of the last band, and beside the picture across its short side (both ends).
    QTest::newRow("landscape fitted") << int(Qt::Horizontal) << false << QSize() << QStringLiteral("grbgnn");
    QTest::newRow("landscape covering") << int(Qt::Horizontal) << true << QSize() << QStringLiteral("rrbbrb");
    QTest::newRow("portrait fitted") << int(Qt::Vertical) << false << QSize() << QStringLiteral("grbgnn");
    QTest::newRow("portrait covering") << int(Qt::Vertical) << true << QSize() << QStringLiteral("rrbbrb");
    QTest::newRow("landscape at a display size") << int(Qt::Horizontal) << false << QSize(40, 40) << QStringLiteral("grbgnn");
}

void TestImageShowLabel::picturesKeepTheirProportions()
{
    QFETCH(int, longSide);
    QFETCH(bool, cover);
    QFETCH(QSize, displaySize);
    QFETCH(QString, expected);
    const auto orientation = Qt::Orientation(longSide);
    const QString file = m_appDir.path() + QStringLiteral("/banded.png");
    QVERIFY(bandedPicture(orientation).save(file));

    ImageShowLabel label;
    label.resize(100, 100);
    if (cover)
        label.setAspectMode(Qt::KeepAspectRatioByExpanding);
    if (displaySize.isValid())
        label.setShowSize(displaySize.width(), displaySize.height());
    QVERIFY(loadAndWait(label, file));
    const QImage shot = label.grab().toImage();
    // A fitted picture is 100 x 50: bands 20 wide at each end, nothing 10 px beside it.
    const QList<QPoint> along{{10, 50}, {35, 50}, {65, 50}, {90, 50}, {35, 10}, {65, 90}};
    QString seen;
    for (const QPoint& point : along)
        seen.append(QLatin1Char(colourAt(shot, orientation == Qt::Horizontal ? point : QPoint(point.y(), point.x()))));
    QCOMPARE(seen, expected);
}

void TestImageShowLabel::pickableLabelSaysWhereToClick()
{
    ImageShowLabel label;
    label.resize(120, 90);
    QCOMPARE(label.text(), QString());
    label.setPickable(true);
    // Before anything is loaded, the empty area shows the placeholder and says where to click.
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(label.text(), QStringLiteral("点击选择图片"));
    QSignalSpy click(&label, &ImageShowLabel::clickLabel);
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(click.count(), 1);

    const QString picture = m_appDir.path() + QStringLiteral("/picked.png");
    QVERIFY(filled(QSize(40, 30), Qt::red).save(picture));
    QVERIFY(loadAndWait(label, picture));
    QCOMPARE(label.text(), QString());
    // A picture that cannot be shown brings the hint back with the placeholder.
    label.loadImage(m_appDir.path() + QStringLiteral("/gone.png"), false, 0);
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(label.text(), QStringLiteral("点击选择图片"));

    label.setPickable(false);
    QCOMPARE(label.text(), QString());
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(click.count(), 1);
}

void TestImageShowLabel::mouseSignals()
{
    ImageShowLabel label;
    label.resize(50, 50);
    QSignalSpy left(&label, &ImageShowLabel::leftClick);
    QSignalSpy click(&label, &ImageShowLabel::clickLabel);
    QSignalSpy twice(&label, &ImageShowLabel::doubleClick);

    QTest::mousePress(&label, Qt::LeftButton);
    QCOMPARE(left.count(), 1);
    QCOMPARE(click.count(), 0);
    QTest::mousePress(&label, Qt::RightButton);
    QCOMPARE(left.count(), 1);

    label.setEmitClick(true);
    QTest::mousePress(&label, Qt::LeftButton);
    QCOMPARE(left.count(), 2);
    QCOMPARE(click.count(), 1);

    label.setPressEnabled(false);
    QTest::mousePress(&label, Qt::LeftButton);
    QCOMPARE(left.count(), 2);
    QCOMPARE(click.count(), 1);

    QTest::mouseDClick(&label, Qt::LeftButton);
    QCOMPARE(twice.count(), 1);
}

void TestImageShowLabel::olderLoadNeverReplacesANewerOne()
{
    // A label reused in an editor: the first picture's download is slow and answers last.
    const QByteArray blue = encode(filled(QSize(60, 40), Qt::blue), "JPEG");
    ScriptedHttpServer::Reply slow = picture(blue);
    slow.delayMs = 800;
    m_server.setReply(QStringLiteral("/img/old.jpg"), slow);
    m_server.setReply(QStringLiteral("/img/new.jpg"), picture(m_smallJpeg));
    const QString oldAddress = m_server.url(QStringLiteral("/img/old.jpg"));
    const QString newAddress = m_server.url(QStringLiteral("/img/new.jpg"));

    ImageShowLabel label;
    label.resize(120, 80);
    QSignalSpy replies(PictureDownloader::shared(), &PictureDownloader::finished);
    label.loadImage(oldAddress, false, 0);
    QVERIFY(loadAndWait(label, newAddress));
    const QString newFile = m_cache + QLatin1Char('/') + ImageShowLabel::cacheName(30720, newAddress);
    QCOMPARE(label.getShownPath(), newFile);
    QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 2, 10000);
    QCoreApplication::processEvents();
    QCOMPARE(label.getShownPath(), newFile);
    QCOMPARE(label.getSource(), newAddress);
    const QColor shown(label.grab().toImage().pixel(60, 40));
    QVERIFY2(shown.red() > 150 && shown.blue() < 100, "the older picture is on show");

    // The same for a compression run that ends after a newer picture is on show.
    const QString large = QStringLiteral(KQ_TESTDATA_DIR "/photos/Portrait_1.jpg");
    const QString small = m_appDir.path() + QStringLiteral("/newer.png");
    QVERIFY(filled(QSize(30, 20), Qt::green).save(small));
    ImageShowLabel editor;
    editor.resize(90, 60);
    editor.loadImage(large, true, 0);
    QVERIFY(loadAndWait(editor, small));
    QCOMPARE(editor.getShownPath(), small);
    // The run writes its file whoever still waits for it.
    const QString compressed = m_cache + QStringLiteral("/again_Portrait_1.jpg");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(compressed), 30000);
    // Its answer has come (and was dropped).
    QTRY_VERIFY_WITH_TIMEOUT(!editor.isCompressing(), 30000);
    QCOMPARE(editor.getShownPath(), small);
    QCOMPARE(QColor(editor.grab().toImage().pixel(45, 30)), QColor(Qt::green));
}

void TestImageShowLabel::labelsShareOneDownloadPerAddress()
{
    ScriptedHttpServer::Reply slow = picture(m_smallJpeg);
    slow.delayMs = 200;
    m_server.setReply(QStringLiteral("/img/thumb.jpg"), slow);
    const QString address = m_server.url(QStringLiteral("/img/thumb.jpg"));

    QWidget page;
    QList<ImageShowLabel*> labels;
    int shown = 0;
    for (int i = 0; i < 5000; ++i) {
        auto* label = new ImageShowLabel(&page);
        connect(label, &ImageShowLabel::photoLoadFinish, this, [&shown] { ++shown; });
        label->loadServiceImage(address);
        labels.append(label);
    }
    QCOMPARE(PictureDownloader::shared()->downloadsInFlight(), 1);
    // A label that goes while the picture is on its way is left out, not touched.
    delete labels.takeLast();

    QTRY_COMPARE_WITH_TIMEOUT(shown, 4999, 60000);
    QCOMPARE(m_server.requestsTo(QStringLiteral("/img/thumb.jpg")).size(), 1);
    const QString cacheFile = m_cache + QLatin1Char('/') + ImageShowLabel::cacheName(30720, address);
    QCOMPARE(labels.first()->getShownPath(), cacheFile);
    QCOMPARE(labels.last()->getShownPath(), cacheFile);
    QCOMPARE(PictureDownloader::shared()->downloadsInFlight(), 0);
}

void TestImageShowLabel::serviceValueThatIsNotAnAddressIsNeverOpened_data()
{
    QTest::addColumn<QString>("value");
    // Each names a real picture that would show if the value were read as a file.
    const QString file = m_appDir.path() + QStringLiteral("/service/blue.png");
    QTest::newRow("absolute path") << file;
    QTest::newRow("file URL") << QUrl::fromLocalFile(file).toString();
    QTest::newRow("no host") << QStringLiteral("http://") + file;
    QTest::newRow("address inside a path") << m_appDir.path() + QStringLiteral("/service/http://blue.png");
    QTest::newRow("other scheme") << QStringLiteral("ftp://127.0.0.1:%1/img/a.jpg").arg(m_server.serverPort());
}

void TestImageShowLabel::serviceValueThatIsNotAnAddressIsNeverOpened()
{
    QFETCH(QString, value);
    QVERIFY(QDir().mkpath(m_appDir.path() + QStringLiteral("/service/http:")));
    for (const QString& name : {QStringLiteral("/service/blue.png"), QStringLiteral("/service/http:/blue.png")})
        QVERIFY(filled(QSize(40, 30), Qt::blue).save(m_appDir.path() + name));

    // A path given by the code itself still shows.
    const QString own = m_appDir.path() + QStringLiteral("/own.png");
    QVERIFY(filled(QSize(30, 20), Qt::green).save(own));
    ImageShowLabel label;
    QVERIFY(loadAndWait(label, own));
    QCOMPARE(label.getShownPath(), own);

    QSignalSpy sizes(&label, &ImageShowLabel::backImgSize);
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    label.loadServiceImage(value);
    QVERIFY(!ImageShowLabel::isServiceAddress(value));
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(sizes.size(), 1);
    QCOMPARE(sizes.at(0).at(0).toSize(), QImage(QStringLiteral(":/res/moren.png")).size());
    QCOMPARE(shown.count(), 0);
    QVERIFY(!label.isLoaded());
    QCOMPARE(PictureDownloader::shared()->downloadsInFlight(), 0);
    QCOMPARE(cacheFiles(m_cache), QStringList());
}

void TestImageShowLabel::unreadablePictureShowsThePlaceholder_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("download");
    QTest::newRow("file that is not a picture") << m_appDir.path() + QStringLiteral("/notapicture.jpg") << false;
    QTest::newRow("missing file") << m_appDir.path() + QStringLiteral("/gone.jpg") << false;
    QTest::newRow("address answered 404") << m_server.url(QStringLiteral("/img/missing.jpg")) << true;
    QTest::newRow("address answered a page") << m_server.url(QStringLiteral("/img/page.jpg")) << true;
}

void TestImageShowLabel::unreadablePictureShowsThePlaceholder()
{
    QFETCH(QString, source);
    QFETCH(bool, download);
    {
        QFile garbage(m_appDir.path() + QStringLiteral("/notapicture.jpg"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(40000, 'x'));
    }
    ScriptedHttpServer::Reply missing;
    missing.status = 404;
    m_server.setReply(QStringLiteral("/img/missing.jpg"), missing);
    ScriptedHttpServer::Reply page;
    page.body = QByteArrayLiteral("<html>no picture here</html>");
    m_server.setReply(QStringLiteral("/img/page.jpg"), page);

    // The label showed a picture before: it must not keep it, nor go blank.
    const QString before = m_appDir.path() + QStringLiteral("/before.png");
    QVERIFY(filled(QSize(30, 20), Qt::green).save(before));
    ImageShowLabel label;
    label.resize(60, 40);
    QVERIFY(loadAndWait(label, before));

    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    if (download)
        loadAndWaitForReply(label, source);
    else
        label.loadImage(source, false, 0);
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(shown.count(), 0);
    QVERIFY(!label.isLoaded());
    ImageShowLabel empty;
    empty.resize(label.size());
    empty.loadImage(QString(), false, 0);
    QCOMPARE(label.grab().toImage(), empty.grab().toImage());
}

QTEST_MAIN(TestImageShowLabel)
#include "tst_imageshowlabel.moc"
