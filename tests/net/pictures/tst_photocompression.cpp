#include "net/pictures/PhotoCompression.h"
#include "net/pictures/PhotoScaler.h"
#include "net/platform/AppFolders.h"
#include "support/service/TestImages.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QMap>
#include <QPainter>
#include <QPointer>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

const qint64 kLimit = 204800;

// Random grey or tinted squares: a picture that JPEG cannot squeeze below the limit at full
// size, but that fits once shrunk into the box.
QImage blocks(const QSize& size, int block, quint32 seed, const QColor& tint = Qt::white)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    QPainter painter(&image);
    for (int y = 0; y < size.height(); y += block) {
        for (int x = 0; x < size.width(); x += block) {
            const int v = int(random.bounded(256));
            painter.fillRect(x, y, block, block,
                             QColor(tint.red() * v / 255, tint.green() * v / 255, tint.blue() * v / 255));
        }
    }
    return image;
}

bool save(const QImage& image, const QString& path, const char* format, int quality = -1)
{
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    return writer.write(image);
}

QImage readStored(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

// Mean difference per channel (0..255) of two pictures shrunk to a 32-pixel-wide thumbnail.
double meanDifference(const QImage& a, const QImage& b)
{
    const QSize thumb = a.size().scaled(32, 32, Qt::KeepAspectRatio);
    const QImage x = a.scaled(thumb, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(thumb, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

QColor meanColour(const QImage& image)
{
    const QImage one = image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QColor(one.pixel(0, 0));
}

// Peak signal-to-noise ratio in dB of two pictures of one size, over the three channels.
double psnr(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double squares = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int dr = qRed(p[col]) - qRed(q[col]);
            const int dg = qGreen(p[col]) - qGreen(q[col]);
            const int db = qBlue(p[col]) - qBlue(q[col]);
            squares += dr * dr + dg * dg + db * db;
        }
    }
    const double mean = squares / (3.0 * x.width() * x.height());
    return 10.0 * std::log10(255.0 * 255.0 / qMax(mean, 1e-9));
}

// `image` with every channel of every pixel moved by up to `amplitude`, the same for the three.
QImage withNoise(QImage image, int amplitude, quint32 seed)
{
    image = image.convertToFormat(QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int row = 0; row < image.height(); ++row) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int col = 0; col < image.width(); ++col) {
            const int n = int(random.bounded(2 * amplitude + 1)) - amplitude;
            const QRgb p = line[col];
            line[col] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255), qBound(0, qBlue(p) + n, 255));
        }
    }
    return image;
}

const double kSameScene = 6.0;

struct Result
{
    QString path;
    QVariant value;
    int count = 0;
};

} // namespace

class TestPhotoCompression : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void comesOutUpright_data();
    void comesOutUpright();
    void sameSceneThresholdCanFail();
    void sizeRules_data();
    void sizeRules();
    void detailedPhotoFillsTheBudget();
    void scalerKeepsDetail_data();
    void scalerKeepsDetail();
    void colourProfileIsApplied_data();
    void colourProfileIsApplied();
    void namesFollowTheSourceBaseName();
    void fileInFlightIsNotWrittenTwice();
    void sameBaseNameRunsInParallel();
    void sameBaseNameKeepsEveryResult_data();
    void sameBaseNameKeepsEveryResult();
    void everyPhotoOfALargeBatchGetsItsResult();
    void manualLifecycleStillWorks();
    void temporaryFolderFallsBack();

private:
    Result compress(const QString& address, qint64 maxFileSize = kLimit, const QString& outputPath = QString(),
                    double scaleFactor = 1.0, const QVariant& value = QVariant());
    QString photo(const QString& name) const;
    QString temporaryFolder() const { return m_appDir.path() + QStringLiteral("/cache/temporary"); }

    QTemporaryDir m_appDir;
    QTemporaryDir m_sources;
    QMap<QString, QImage> m_uprightReference;
};

void TestPhotoCompression::initTestCase()
{
    QVERIFY(m_appDir.isValid());
    QVERIFY(m_sources.isValid());
    AppFolders::setApplicationFolderOverride(m_appDir.path());
}

void TestPhotoCompression::cleanupTestCase()
{
    AppFolders::setApplicationFolderOverride(QString());
}

QString TestPhotoCompression::photo(const QString& name) const
{
    return QStringLiteral(KQ_TESTDATA_DIR "/photos/") + name;
}

Result TestPhotoCompression::compress(const QString& address, qint64 maxFileSize, const QString& outputPath,
                                      double scaleFactor, const QVariant& value)
{
    Result result;
    QObject receiver;
    const QPointer<PhotoCompression> worker = PhotoCompression::start(
        address, value, maxFileSize, outputPath, scaleFactor, &receiver,
        [&result](const QString& path, const QVariant& tag) {
            result.path = path;
            result.value = tag;
            ++result.count;
        });
    [&] { QTRY_COMPARE_WITH_TIMEOUT(result.count, 1, 60000); }();
    // Worker and thread release themselves once the result is out.
    [&] { QTRY_VERIFY(worker.isNull()); }();
    return result;
}

void TestPhotoCompression::comesOutUpright_data()
{
    QTest::addColumn<QString>("scene");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<double>("scaleFactor");
    for (const char* scene : {"Landscape", "Portrait"}) {
        for (int orientation = 0; orientation <= 8; ++orientation) {
            // Factor 4 also takes the reduced-scale JPEG decode before the turn.
            for (double factor : {1.0, 4.0}) {
                QTest::addRow("%s_%d factor %g", scene, orientation, factor)
                    << QString::fromLatin1(scene) << orientation << factor;
            }
        }
    }
}

void TestPhotoCompression::comesOutUpright()
{
    QFETCH(QString, scene);
    QFETCH(int, orientation);
    QFETCH(double, scaleFactor);

    const QString key = scene + QString::number(scaleFactor);
    if (!m_uprightReference.contains(key)) {
        const QString source = photo(scene + QStringLiteral("_1.jpg"));
        QVERIFY(QFileInfo(source).size() > kLimit);
        const Result reference = compress(source, kLimit, QString(), scaleFactor);
        QVERIFY(reference.path != source);
        m_uprightReference.insert(key, readStored(reference.path));
    }
    const QImage reference = m_uprightReference.value(key);
    QVERIFY(!reference.isNull());
    // The scenes are 3:2 (landscape) and 2:3 (portrait) when upright.
    if (scene == QLatin1String("Landscape"))
        QVERIFY(reference.width() > reference.height());
    else
        QVERIFY(reference.width() < reference.height());

    const QString source = photo(QStringLiteral("%1_%2.jpg").arg(scene).arg(orientation));
    const Result result = compress(source, kLimit, QString(), scaleFactor);
    QVERIFY(result.path.startsWith(temporaryFolder()));
    const QImage image = readStored(result.path);
    QCOMPARE(image.size(), reference.size());
    const double difference = meanDifference(image, reference);
    QVERIFY2(difference < kSameScene, qPrintable(QStringLiteral("difference %1").arg(difference)));
}

void TestPhotoCompression::sameSceneThresholdCanFail()
{
    // A mirrored or upside-down result must be told apart from the upright one.
    const Result result = compress(photo(QStringLiteral("Landscape_1.jpg")));
    const QImage upright = readStored(result.path);
    QVERIFY(!upright.isNull());
    QVERIFY(meanDifference(upright.mirrored(true, false), upright) > 2 * kSameScene);
    QVERIFY(meanDifference(upright.mirrored(false, true), upright) > 2 * kSameScene);
    QVERIFY(meanDifference(upright.mirrored(true, true), upright) > 2 * kSameScene);
}

void TestPhotoCompression::sizeRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<int>("quality");
    QTest::addColumn<qint64>("maxFileSize");
    QTest::addColumn<bool>("passedOn");
    QTest::addColumn<QSize>("expected");

    QImage flat(4000, 3000, QImage::Format_RGB32);
    flat.fill(QColor(90, 140, 200));
    // Only the byte size decides: many pixels in few bytes are passed on untouched.
    QTest::newRow("small file of 4000x3000") << "flat.jpg" << flat << QByteArray("JPEG") << 50 << kLimit
                                             << true << QSize(4000, 3000);
    QTest::newRow("icon whatever its size") << "big.ico" << blocks(QSize(4000, 3000), 48, 1)
                                            << QByteArray("JPEG") << 97 << kLimit << true << QSize(4000, 3000);
    QTest::newRow("icon suffix in capitals") << "logo.ICO" << blocks(QSize(4000, 3000), 48, 8)
                                             << QByteArray("JPEG") << 97 << kLimit << true << QSize(4000, 3000);
    // Only the suffix makes an icon, not ".ico" anywhere in the path.
    QTest::newRow("photo in a folder named x.icons") << "x.icons/photo.jpg" << blocks(QSize(4000, 3000), 48, 9)
                                                     << QByteArray("JPEG") << 97 << kLimit << false
                                                     << QSize(1440, 1080);
    QTest::newRow("landscape into the box") << "landscape.jpg" << blocks(QSize(4000, 3000), 48, 2)
                                            << QByteArray("JPEG") << 97 << kLimit << false << QSize(1440, 1080);
    QTest::newRow("portrait into the box") << "portrait.jpg" << blocks(QSize(3000, 4000), 48, 3)
                                           << QByteArray("JPEG") << 97 << kLimit << false << QSize(810, 1080);
    QTest::newRow("wide panorama into the box") << "wide.jpg" << blocks(QSize(6000, 2000), 48, 4)
                                                << QByteArray("JPEG") << 97 << kLimit << false << QSize(1920, 640);
    QTest::newRow("smaller than the box keeps its size") << "small.jpg" << blocks(QSize(1000, 800), 4, 5)
                                                         << QByteArray("JPEG") << 100 << kLimit << false
                                                         << QSize(1000, 800);
    const QImage scene = QImage(QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_1.jpg"))
                             .scaled(2400, 1600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QTest::newRow("png into the box") << "shot.png" << scene << QByteArray("PNG") << -1 << kLimit << false
                                      << QSize(1620, 1080);
    // Quality 10 at full size, then factors 3, 5 and 7: the run gives up at 1440 / 7 wide.
    QTest::newRow("unreachable limit ends at factor 7") << "tiny.jpg" << blocks(QSize(4000, 3000), 48, 7)
                                                        << QByteArray("JPEG") << 97 << qint64(1000) << false
                                                        << QSize(205, 154);
}

void TestPhotoCompression::sizeRules()
{
    QFETCH(QString, name);
    QFETCH(QImage, image);
    QFETCH(QByteArray, format);
    QFETCH(int, quality);
    QFETCH(qint64, maxFileSize);
    QFETCH(bool, passedOn);
    QFETCH(QSize, expected);

    const QString source = m_sources.filePath(name);
    QVERIFY(QDir().mkpath(QFileInfo(source).absolutePath()));
    QVERIFY(save(image, source, format.constData(), quality));
    QFile file(source);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();
    QCOMPARE(original.size() > maxFileSize, !passedOn || name.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive));

    const Result result = compress(source, maxFileSize, QString(), 1.0, QStringLiteral("tag"));
    QCOMPARE(result.value, QVariant(QStringLiteral("tag")));
    if (passedOn) {
        QCOMPARE(result.path, source);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), original);
        return;
    }
    QCOMPARE(QFileInfo(result.path).absolutePath(), temporaryFolder());
    QCOMPARE(QFileInfo(result.path).fileName(), QFileInfo(source).baseName() + QStringLiteral("_com.jpg"));
    QImageReader reader(result.path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage written = reader.read();
    QCOMPARE(written.size(), expected);
    if (maxFileSize >= kLimit)
        QVERIFY(QFileInfo(result.path).size() <= maxFileSize);
    QVERIFY2(meanDifference(written, image) < kSameScene, "the result shows another picture");
    QVERIFY(QFile::remove(result.path));
}

void TestPhotoCompression::detailedPhotoFillsTheBudget()
{
    // A grainy photo: at its fitted size quality 50 is too large and quality 10 is small, so
    // fixed steps from 50 to 10 would leave most of the budget unused.
    const QImage scene = QImage(photo(QStringLiteral("Landscape_1.jpg")))
                             .scaled(3000, 2000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage source = withNoise(scene, 40, 3);
    const QImage fitted = source.scaled(1620, 1080, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(TestImages::encode(fitted, "JPEG", 50).size() > kLimit);
    const QByteArray lowest = TestImages::encode(fitted, "JPEG", 10);
    QVERIFY(lowest.size() < kLimit / 2);
    const QString path = m_sources.filePath(QStringLiteral("grainy.jpg"));
    QVERIFY(save(source, path, "JPEG", 90));

    const Result result = compress(path);
    QVERIFY(result.path.startsWith(temporaryFolder()));
    const qint64 bytes = QFileInfo(result.path).size();
    QVERIFY2(bytes <= kLimit && bytes >= kLimit * 85 / 100, qPrintable(QString::number(bytes)));
    // Still the first size, at a quality well above the lowest.
    const QImage written = readStored(result.path);
    QCOMPARE(written.size(), fitted.size());
    const double atLowest = psnr(QImage::fromData(lowest), fitted);
    const double ours = psnr(written, fitted);
    QVERIFY2(ours > atLowest + 1.0, qPrintable(QStringLiteral("%1 dB against %2 dB at quality 10").arg(ours).arg(atLowest)));
    QVERIFY(QFile::remove(result.path));
}

void TestPhotoCompression::scalerKeepsDetail_data()
{
    QTest::addColumn<QSize>("small");
    QTest::addColumn<int>("enlarge");
    QTest::newRow("to three quarters") << QSize(300, 200) << 4;
    // An odd width leaves pixels after the last whole vector of a line.
    QTest::newRow("odd width, halved") << QSize(333, 222) << 6;
    QTest::newRow("past a half") << QSize(301, 201) << 9;
}

// A photo enlarged and shrunk back comes out close to itself, and closer than Qt's smooth
// scaling brings it; flat colour stays exactly flat.
void TestPhotoCompression::scalerKeepsDetail()
{
    QFETCH(QSize, small);
    QFETCH(int, enlarge);

    const QImage original = QImage(photo(QStringLiteral("Landscape_1.jpg")))
                                .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_RGB32);
    const QImage large = original.scaled(small * enlarge / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage ours = PhotoScaler::scaled(large, small);
    QCOMPARE(ours.size(), small);
    QCOMPARE(ours.format(), QImage::Format_RGB32);
    const QImage qts = large.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double oursPsnr = psnr(ours, original);
    QVERIFY2(oursPsnr > 30.0 && oursPsnr > psnr(qts, original),
             qPrintable(QStringLiteral("%1 dB, Qt's %2 dB").arg(oursPsnr).arg(psnr(qts, original))));

    QImage flat(large.size(), QImage::Format_ARGB32_Premultiplied);
    flat.fill(qRgba(60, 90, 120, 200));
    const QImage shrunk = PhotoScaler::scaled(flat, small);
    for (int y = 0; y < shrunk.height(); y += 7) {
        for (int x = 0; x < shrunk.width(); x += 7)
            QCOMPARE(shrunk.pixel(x, y), flat.pixel(0, 0));
    }
}

void TestPhotoCompression::colourProfileIsApplied_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("JPEG") << QByteArray("JPEG");
    QTest::newRow("PNG") << QByteArray("PNG");
}

// A phone's photo in Display P3 comes out in sRGB with the same colours, since the JPEG written
// carries no profile.
void TestPhotoCompression::colourProfileIsApplied()
{
    QFETCH(QByteArray, format);

    const QColor colour(200, 60, 40);
    QImage plain(2400, 1600, QImage::Format_RGB32);
    plain.fill(colour);
    // Grain keeps the file over the limit; it averages out in the mean colour.
    QImage image = withNoise(plain, 12, 5);
    image.setColorSpace(QColorSpace::DisplayP3);
    const QString path = m_sources.filePath(QStringLiteral("p3.") + QString::fromLatin1(format).toLower());
    QVERIFY(save(image, path, format.constData(), 95));
    QVERIFY(QFileInfo(path).size() > kLimit);

    QImage expected = plain;
    expected.setColorSpace(QColorSpace::DisplayP3);
    expected.convertToColorSpace(QColorSpace::SRgb);
    const QColor wanted(expected.pixel(0, 0));
    QVERIFY(qAbs(wanted.red() - colour.red()) > 12);

    const Result result = compress(path);
    QVERIFY(result.path.startsWith(temporaryFolder()));
    const QColor mean = meanColour(readStored(result.path));
    QVERIFY2(qAbs(mean.red() - wanted.red()) <= 5 && qAbs(mean.green() - wanted.green()) <= 5
                 && qAbs(mean.blue() - wanted.blue()) <= 5,
             qPrintable(QStringLiteral("%1 instead of %2").arg(mean.name(), wanted.name())));
    QVERIFY(QFile::remove(result.path));
}

void TestPhotoCompression::namesFollowTheSourceBaseName()
{
    // A corrupt file above the limit is passed on as it is.
    const QString corrupt = m_sources.filePath(QStringLiteral("broken.jpg"));
    {
        QFile file(corrupt);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray junk(300 * 1024, '\0');
        for (int i = 0; i < junk.size(); ++i)
            junk[i] = char(QRandomGenerator::global()->bounded(256));
        file.write(junk);
    }
    QCOMPARE(compress(corrupt).path, corrupt);

    // The base name ends at the first dot; a second run does not overwrite the first result.
    const QString source = m_sources.filePath(QStringLiteral("a.b.png"));
    QVERIFY(save(QImage(photo(QStringLiteral("Portrait_1.jpg"))), source, "PNG"));
    const Result first = compress(source);
    QCOMPARE(first.path, temporaryFolder() + QStringLiteral("/a_com.jpg"));
    const Result second = compress(source);
    QCOMPARE(second.path, temporaryFolder() + QStringLiteral("/a_com_copy.jpg"));
    QVERIFY(QFileInfo::exists(first.path));
    QVERIFY(QFile::remove(first.path));
    QVERIFY(QFile::remove(second.path));

    // A JPEG named .png is recognised by its content.
    const QString disguised = m_sources.filePath(QStringLiteral("disguised.png"));
    QVERIFY(save(blocks(QSize(4000, 3000), 48, 12), disguised, "JPEG", 97));
    const Result third = compress(disguised);
    QCOMPARE(third.path, temporaryFolder() + QStringLiteral("/disguised_com.jpg"));
    QCOMPARE(readStored(third.path).size(), QSize(1440, 1080));
    QVERIFY(QFile::remove(third.path));
}

void TestPhotoCompression::fileInFlightIsNotWrittenTwice()
{
    // Another run is writing same_com.jpg right now: this one must choose another file.
    const QString source = m_sources.filePath(QStringLiteral("same.jpg"));
    const QImage image = blocks(QSize(4000, 3000), 48, 21, QColor(255, 60, 60));
    QVERIFY(save(image, source, "JPEG", 97));
    QDir().mkpath(temporaryFolder());
    const QString busy = PhotoCompression::claimOutputPath(temporaryFolder() + QStringLiteral("/same_com.jpg"));
    QCOMPARE(busy, temporaryFolder() + QStringLiteral("/same_com.jpg"));

    const Result result = compress(source);
    PhotoCompression::releaseOutputPath(busy);
    QVERIFY(result.path != busy);
    QVERIFY(result.path.startsWith(temporaryFolder()));
    QVERIFY(!QFileInfo::exists(busy));
    QVERIFY(meanDifference(readStored(result.path), image) < kSameScene);

    // Once released, the name is the first choice again.
    const QString again = PhotoCompression::claimOutputPath(busy);
    QCOMPARE(again, busy);
    PhotoCompression::releaseOutputPath(again);
    QVERIFY(QFile::remove(result.path));
}

void TestPhotoCompression::sameBaseNameRunsInParallel()
{
    // Two folders, one file name, different pictures, started together.
    const QList<QColor> tints = {QColor(255, 40, 40), QColor(40, 40, 255)};
    QStringList sources;
    for (int i = 0; i < tints.size(); ++i) {
        const QString folder = m_sources.filePath(QStringLiteral("parallel%1").arg(i));
        QVERIFY(QDir().mkpath(folder));
        sources << folder + QStringLiteral("/IMG_0001.jpg");
        QVERIFY(save(blocks(QSize(4000, 3000), 48, 30 + quint32(i), tints.at(i)), sources.last(), "JPEG", 97));
    }

    QObject receiver;
    QMap<int, QString> results;
    for (int i = 0; i < sources.size(); ++i) {
        PhotoCompression::start(sources.at(i), i, kLimit, QString(), 1.0, &receiver,
                                [&results](const QString& path, const QVariant& tag) {
                                    results.insert(tag.toInt(), path);
                                });
    }
    QTRY_COMPARE_WITH_TIMEOUT(results.size(), sources.size(), 60000);
    QVERIFY(results.value(0) != results.value(1));
    for (int i = 0; i < sources.size(); ++i) {
        const QImage written = readStored(results.value(i));
        QVERIFY(!written.isNull());
        const QColor mean = meanColour(written);
        if (i == 0)
            QVERIFY2(mean.red() > 2 * mean.blue(), "the red picture was overwritten");
        else
            QVERIFY2(mean.blue() > 2 * mean.red(), "the blue picture was overwritten");
    }
    for (const QString& path : qAsConst(results))
        QFile::remove(path);
}

void TestPhotoCompression::sameBaseNameKeepsEveryResult_data()
{
    QTest::addColumn<bool>("together");
    // Picked one after another: the earlier results are on disk when the next run starts.
    QTest::newRow("one after another") << false;
    // "pick.1.jpg", "pick.2.jpg", "pick.3.jpg" in one pick: three runs on the pool at once.
    QTest::newRow("in one pick") << true;
}

void TestPhotoCompression::sameBaseNameKeepsEveryResult()
{
    QFETCH(bool, together);

    const QList<QColor> tints = {QColor(255, 40, 40), QColor(40, 255, 40), QColor(40, 40, 255)};
    QDir temporary(temporaryFolder());
    for (const QString& left : temporary.entryList({QStringLiteral("pick_*")}, QDir::Files))
        QVERIFY(temporary.remove(left));
    QStringList sources;
    for (int i = 0; i < tints.size(); ++i) {
        sources << m_sources.filePath(QStringLiteral("pick.%1.jpg").arg(i + 1));
        QVERIFY(save(blocks(QSize(4000, 3000), 48, 70 + quint32(i), tints.at(i)), sources.last(), "JPEG", 97));
    }

    QMap<int, QString> results;
    if (together) {
        QObject receiver;
        for (int i = 0; i < sources.size(); ++i) {
            PhotoCompression::start(sources.at(i), i, kLimit, QString(), 1.0, &receiver,
                                    [&results](const QString& path, const QVariant& tag) {
                                        results.insert(tag.toInt(), path);
                                    });
        }
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), sources.size(), 60000);
    } else {
        for (int i = 0; i < sources.size(); ++i)
            results.insert(i, compress(sources.at(i)).path);
        // The first run keeps the plain name, the second the one with "_copy".
        QCOMPARE(results.value(0), temporaryFolder() + QStringLiteral("/pick_com.jpg"));
        QCOMPARE(results.value(1), temporaryFolder() + QStringLiteral("/pick_com_copy.jpg"));
    }

    QCOMPARE(QSet<QString>(results.cbegin(), results.cend()).size(), sources.size());
    for (int i = 0; i < sources.size(); ++i) {
        const QString& path = results.value(i);
        QVERIFY(path.startsWith(temporaryFolder()));
        const QImage written = readStored(path);
        QVERIFY(!written.isNull());
        const QColor mean = meanColour(written);
        // Each file still holds its own picture: its strongest channel is its tint's.
        const int own = i == 0 ? mean.red() : i == 1 ? mean.green() : mean.blue();
        const int others = i == 0 ? qMax(mean.green(), mean.blue())
                         : i == 1 ? qMax(mean.red(), mean.blue())
                                  : qMax(mean.red(), mean.green());
        QVERIFY2(own > 2 * others, qPrintable(QStringLiteral("result %1 (%2) shows another picture").arg(i).arg(path)));
        QVERIFY(meanDifference(written, readStored(sources.at(i))) < kSameScene);
    }
    for (const QString& path : qAsConst(results))
        QFile::remove(path);
}

void TestPhotoCompression::everyPhotoOfALargeBatchGetsItsResult()
{
    // More photos than cores: the rest wait their turn, and each one is answered once.
    const int count = qMax(2, QThread::idealThreadCount()) * 2 + 1;
    QObject receiver;
    QMap<int, int> answers;
    QMap<int, QString> paths;
    QList<QPointer<PhotoCompression>> workers;
    for (int i = 0; i < count; ++i) {
        const QString source = m_sources.filePath(QStringLiteral("batch%1.jpg").arg(i));
        QVERIFY(save(blocks(QSize(4000, 3000), 48, 40 + quint32(i)), source, "JPEG", 97));
        workers << PhotoCompression::start(source, i, kLimit, QString(), 1.0, &receiver,
                                [&](const QString& path, const QVariant& tag) {
                                    answers[tag.toInt()] += 1;
                                    paths.insert(tag.toInt(), path);
                                });
    }
    QTRY_COMPARE_WITH_TIMEOUT(answers.size(), count, 120000);
    // Once every worker has gone no answer can follow; the last queued ones are delivered here.
    QTRY_VERIFY(std::all_of(workers.cbegin(), workers.cend(), [](const auto& worker) { return worker.isNull(); }));
    QCoreApplication::processEvents();
    for (int i = 0; i < count; ++i) {
        QCOMPARE(answers.value(i), 1);
        QCOMPARE(QFileInfo(paths.value(i)).fileName(), QStringLiteral("batch%1_com.jpg").arg(i));
        QFile::remove(paths.value(i));
    }
}

void TestPhotoCompression::manualLifecycleStillWorks()
{
    // The five steps a caller may take by hand, into an explicit output file.
    const QString source = m_sources.filePath(QStringLiteral("manual.jpg"));
    QVERIFY(save(blocks(QSize(4000, 3000), 48, 50), source, "JPEG", 97));
    const QString output = m_sources.filePath(QStringLiteral("manual_out.jpg"));

    auto* worker = new PhotoCompression(nullptr);
    worker->setParameters(source, QStringLiteral("manual"), kLimit, output, 1.0);
    auto* thread = new QThread;
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &PhotoCompression::startCompression);
    connect(worker, &PhotoCompression::compression_address, thread, &QThread::quit);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QSignalSpy spy(worker, &PhotoCompression::compression_address);
    QSignalSpy finished(thread, &QThread::finished);
    thread->start(QThread::InheritPriority);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), output);
    QCOMPARE(spy.at(0).at(1), QVariant(QStringLiteral("manual")));
    QCOMPARE(readStored(output).size(), QSize(1440, 1080));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestPhotoCompression::temporaryFolderFallsBack()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY(!cache.isEmpty());

    QCOMPARE(AppFolders::chooseBase(m_appDir.path()), m_appDir.path());
    QCOMPARE(AppFolders::chooseBase(m_appDir.path() + QStringLiteral("/missing")), cache);
    const QString plainFile = m_sources.filePath(QStringLiteral("not-a-folder"));
    {
        QFile file(plainFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(AppFolders::chooseBase(plainFile), cache);
    QCOMPARE(AppFolders::chooseBase(QString()), cache);

    QTemporaryDir readOnly;
    QVERIFY(readOnly.isValid());
    QVERIFY(QFile::setPermissions(readOnly.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (!QFileInfo(readOnly.path()).isWritable())
        QCOMPARE(AppFolders::chooseBase(readOnly.path()), cache);
    QFile::setPermissions(readOnly.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QCOMPARE(AppFolders::folderForMode(0), m_appDir.path() + QStringLiteral("/cache/img"));
    QCOMPARE(AppFolders::folderForMode(1), temporaryFolder());
    QCOMPARE(AppFolders::folderForMode(2), m_appDir.path() + QStringLiteral("/photo"));
    QCOMPARE(AppFolders::folderForMode(3), m_appDir.path());
    QCOMPARE(AppFolders::folderForMode(4), QString());

    // A run whose application folder cannot be written to writes under the user's cache.
    AppFolders::setApplicationFolderOverride(plainFile);
    const QString source = m_sources.filePath(QStringLiteral("fallback.jpg"));
    QVERIFY(save(blocks(QSize(4000, 3000), 48, 60), source, "JPEG", 97));
    const Result result = compress(source);
    AppFolders::setApplicationFolderOverride(m_appDir.path());
    QCOMPARE(result.path, cache + QStringLiteral("/cache/temporary/fallback_com.jpg"));
    QVERIFY(QFile::remove(result.path));
}

QTEST_MAIN(TestPhotoCompression)
#include "tst_photocompression.moc"
