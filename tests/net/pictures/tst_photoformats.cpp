#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PhotoCompression.h"
#include "net/pictures/PhotoFormats.h"
#include "net/platform/AppFolders.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/ModuleTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPointer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

const qint64 kLimit = 204800;

QString testPhoto(const QString& name)
{
    return QStringLiteral(KQ_TESTDATA_DIR "/photos/") + name;
}

bool qtReads(const QByteArray& format)
{
    return QImageReader::supportedImageFormats().contains(format);
}

bool qtWrites(const QByteArray& format)
{
    return QImageWriter::supportedImageFormats().contains(format);
}

// Whether two pictures show the same scene the same way up: every cell of an 8 x 8 grid of
// their averages within a tolerance. A turned or mirrored scene fails in its corners.
bool sameScene(const QImage& a, const QImage& b)
{
    const QImage x = a.scaled(8, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = b.scaled(8, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            const QColor p = x.pixelColor(col, row);
            const QColor q = y.pixelColor(col, row);
            if (qAbs(p.red() - q.red()) + qAbs(p.green() - q.green()) + qAbs(p.blue() - q.blue()) > 45)
                return false;
        }
    }
    return true;
}

// A GIF of one colour: Qt reads GIF but does not write it. The pixel codes are sent without
// compression, a clear code before every two, so every code stays three bits wide.
QByteArray plainGif(int width, int height, const QColor& colour)
{
    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) {
        gif.append(char(value & 0xff));
        gif.append(char(value >> 8));
    };
    word(width);
    word(height);
    gif.append(char(0x81)); // a global palette of 4 colours
    gif.append('\0');
    gif.append('\0');
    gif.append(char(colour.red())).append(char(colour.green())).append(char(colour.blue()));
    gif.append(QByteArray(9, '\0'));
    gif.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append('\0');
    gif.append(char(2)); // smallest code size
    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 3;
        while (count >= 8) {
            codes.append(char(bits & 0xff));
            bits >>= 8;
            count -= 8;
        }
    };
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 2 == 0)
            put(4);
        put(0);
    }
    put(5);
    if (count > 0)
        codes.append(char(bits & 0xff));
    for (int at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');
    return gif;
}

} // namespace

class TestPhotoFormats : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void dialogListsWhatQtReads();
    void phonePhotoIsPickedAndCompressed_data();
    void phonePhotoIsPickedAndCompressed();
    void uploadProblemNamesWhy_data();
    void uploadProblemNamesWhy();
    void randomBytesAreNoPicture();
    void labelShowsAPhonePhoto();
    void labelShowsEveryFormatQtReads_data();
    void labelShowsEveryFormatQtReads();

private:
    // The compression result for `source` as the editors ask for it.
    QString compress(const QString& source);
    // A copy of the upright test photo in `format`, written by Qt; empty when Qt cannot.
    QString writeWithQt(const QString& name, const QByteArray& format, int quality = 90,
                        QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone);

    QTemporaryDir m_appDir;
    QTemporaryDir m_files;
    // Made at start by format, when this machine can make them.
    QMap<QByteArray, QString> m_phonePhotos;
    QString m_heicSkipReason;
    QString m_randomBytes;
};

void TestPhotoFormats::initTestCase()
{
    ModuleTestEnvironment::prepare();
    QVERIFY(m_appDir.isValid());
    QVERIFY(m_files.isValid());
    AppFolders::setApplicationFolderOverride(m_appDir.path());

    // A phone's HEIC, made by libheif's own tool in a process of its own (its encoder keeps
    // memory until exit, which the leak check would report here).
    const QString heic = m_files.filePath(QStringLiteral("IMG_0001.HEIC"));
    const QString encoder = QStandardPaths::findExecutable(QStringLiteral("heif-enc"));
    if (!encoder.isEmpty()) {
        QProcess process;
        process.start(encoder, {QStringLiteral("-q"), QStringLiteral("60"), QStringLiteral("-o"), heic,
                                testPhoto(QStringLiteral("Landscape_1.jpg"))});
        QVERIFY(process.waitForFinished(120000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    }
    if (!QFileInfo::exists(heic))
        m_heicSkipReason = QStringLiteral("no heif-enc here to make a HEIC (libheif-examples is not installed)");
    else if (!qtReads("heif"))
        m_heicSkipReason = QStringLiteral("this Qt reads no HEIF (kimageformat-plugins is not installed)");
    else
        m_phonePhotos.insert("heif", heic);

    if (qtWrites("webp"))
        m_phonePhotos.insert("webp", writeWithQt(QStringLiteral("IMG_0002.WEBP"), "webp"));
    if (qtWrites("avif"))
        m_phonePhotos.insert("avif", writeWithQt(QStringLiteral("IMG_0003.avif"), "avif", 60));
    // A scanner's TIFF whose pixels lie on their side, with the orientation tag to turn them.
    if (qtWrites("tiff")) {
        m_phonePhotos.insert("tiff", writeWithQt(QStringLiteral("scan.tif"), "tiff", -1,
                                                 QImageIOHandler::TransformationRotate90));
    }

    m_randomBytes = m_files.filePath(QStringLiteral("broken.jpg"));
    QFile file(m_randomBytes);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray junk(300 * 1024, '\0');
    QRandomGenerator random(20);
    for (char& byte : junk)
        byte = char(random.bounded(256));
    QCOMPARE(file.write(junk), qint64(junk.size()));
}

void TestPhotoFormats::cleanupTestCase()
{
    AppFolders::setApplicationFolderOverride(QString());
}

QString TestPhotoFormats::writeWithQt(const QString& name, const QByteArray& format, int quality,
                                      QImageIOHandler::Transformations transformation)
{
    QImageReader reader(testPhoto(QStringLiteral("Landscape_1.jpg")));
    QImage image = reader.read();
    // Stored turned back by the transformation that the reader is told to apply.
    if (transformation == QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(270));
    const QString path = m_files.filePath(name);
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    writer.setTransformation(transformation);
    return writer.write(image) ? path : QString();
}

QString TestPhotoFormats::compress(const QString& source)
{
    QString result;
    int answers = 0;
    QObject receiver;
    const QPointer<PhotoCompression> worker =
        PhotoCompression::start(source, QVariant(), kLimit, QString(), 1.0, &receiver,
                                [&](const QString& path, const QVariant&) {
                                    result = path;
                                    ++answers;
                                });
    [&] { QTRY_COMPARE_WITH_TIMEOUT(answers, 1, 60000); }();
    [&] { QTRY_VERIFY(worker.isNull()); }();
    return result;
}

void TestPhotoFormats::dialogListsWhatQtReads()
{
    const QString filter = PhotoFormats::dialogFilter();
    QVERIFY(filter.startsWith(QLatin1String("Image Files(")) && filter.endsWith(QLatin1Char(')')));
    const QStringList patterns = filter.mid(12, filter.length() - 13).split(QLatin1Char(' '));
    for (const char* always : {"*.jpg", "*.JPG", "*.jpeg", "*.JPEG", "*.png", "*.PNG"})
        QVERIFY2(patterns.contains(QLatin1String(always)), always);
    const QList<QPair<QByteArray, QString>> optional = {
        {"heif", QStringLiteral("*.HEIC")}, {"avif", QStringLiteral("*.avif")},
        {"webp", QStringLiteral("*.webp")}, {"tiff", QStringLiteral("*.TIF")}};
    for (const auto& entry : optional)
        QCOMPARE(patterns.contains(entry.second), qtReads(entry.first));
    // Formats Qt reads but that are not photos of ours are not offered.
    QVERIFY(!patterns.contains(QStringLiteral("*.gif")));
    QVERIFY(!patterns.contains(QStringLiteral("*.bmp")));
}

void TestPhotoFormats::phonePhotoIsPickedAndCompressed_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("HEIC") << QByteArray("heif");
    QTest::newRow("WebP") << QByteArray("webp");
    QTest::newRow("AVIF") << QByteArray("avif");
    QTest::newRow("TIFF turned by its tag") << QByteArray("tiff");
}

void TestPhotoFormats::phonePhotoIsPickedAndCompressed()
{
    QFETCH(QByteArray, format);
    if (format == "heif" && !m_heicSkipReason.isEmpty())
        QSKIP(qPrintable(m_heicSkipReason));
    const QString source = m_phonePhotos.value(format);
    if (source.isEmpty() || !qtReads(format))
        QSKIP(qPrintable(QStringLiteral("this Qt cannot make and read %1 (plugins not installed)")
                             .arg(QString::fromLatin1(format))));

    // The editors' dialog offers it, its capital suffix included (the dialog matches case).
    const QString filter = PhotoFormats::dialogFilter();
    const QStringList patterns = filter.mid(12, filter.length() - 13).split(QLatin1Char(' '));
    const QString name = QFileInfo(source).fileName();
    QVERIFY2(std::any_of(patterns.cbegin(), patterns.cend(),
                         [&name](const QString& pattern) {
                             return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                                 .match(name)
                                 .hasMatch();
                         }),
             qPrintable(filter));
    QCOMPARE(PhotoFormats::formatOf(source), format);
    QVERIFY(!PhotoFormats::uploadProblem(source, kLimit).isEmpty());
    if (format == "tiff")
        QCOMPARE(QImageReader(source).transformation(), QImageIOHandler::TransformationRotate90);

    const QString result = compress(source);
    QVERIFY(result != source);
    QVERIFY(result.startsWith(m_appDir.path() + QStringLiteral("/cache/temporary/")));
    QCOMPARE(PhotoFormats::formatOf(result), QByteArray("jpeg"));
    QVERIFY(QFileInfo(result).size() <= kLimit);
    QCOMPARE(PhotoFormats::uploadProblem(result, kLimit), QString());
    QImageReader reader(result);
    reader.setAutoTransform(false);
    const QImage written = reader.read();
    QCOMPARE(written.size(), QSize(1620, 1080));
    QVERIFY2(sameScene(written, QImage(testPhoto(QStringLiteral("Landscape_1.jpg")))), "not the upright photo");
    QVERIFY(QFile::remove(result));
}

void TestPhotoFormats::uploadProblemNamesWhy_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("problem");

    const QImage small = QImage(testPhoto(QStringLiteral("Portrait_1.jpg")))
                             .scaled(300, 450, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QString jpeg = m_files.filePath(QStringLiteral("small.jpg"));
    const QString png = m_files.filePath(QStringLiteral("small.png"));
    const QString bmp = m_files.filePath(QStringLiteral("small.bmp"));
    // A PNG named .jpg is judged by its content.
    const QString disguised = m_files.filePath(QStringLiteral("disguised.jpg"));
    QVERIFY(small.save(jpeg, "JPEG") && small.save(png, "PNG") && small.save(bmp, "BMP")
            && small.save(disguised, "PNG"));

    QTest::newRow("JPEG within the limit") << jpeg << QString();
    QTest::newRow("PNG within the limit") << png << QString();
    QTest::newRow("PNG named jpg") << disguised << QString();
    QTest::newRow("JPEG over the limit") << testPhoto(QStringLiteral("Landscape_1.jpg"))
                                         << QStringLiteral("无法压缩到200KB以内");
    QTest::newRow("BMP, which Qt reads") << bmp << QStringLiteral("格式不支持");
    QTest::newRow("random bytes named jpg") << m_randomBytes << QStringLiteral("格式不支持");
    QTest::newRow("missing file") << m_files.filePath(QStringLiteral("gone.jpg")) << QStringLiteral("无法读取");
    for (auto it = m_phonePhotos.cbegin(); it != m_phonePhotos.cend(); ++it) {
        QTest::newRow(qPrintable(QStringLiteral("%1 as picked").arg(QString::fromLatin1(it.key()))))
            << it.value() << QStringLiteral("格式不支持");
    }
}

void TestPhotoFormats::uploadProblemNamesWhy()
{
    QFETCH(QString, path);
    QFETCH(QString, problem);
    QCOMPARE(PhotoFormats::uploadProblem(path, kLimit), problem);
}

void TestPhotoFormats::randomBytesAreNoPicture()
{
    // With a RAW plugin installed, Qt's own guess makes a picture of these bytes; ours does not.
    QImageReader anyReader(m_randomBytes);
    if (!anyReader.read().isNull())
        qInfo("Qt's format guess decodes random bytes here (%s); they must stay unreadable",
              anyReader.format().constData());

    QCOMPARE(PhotoFormats::formatOf(m_randomBytes), QByteArray());
    QImageReader reader;
    QCOMPARE(PhotoFormats::prepareReader(reader, m_randomBytes), QByteArray());
    QVERIFY(reader.read().isNull());
    // Compression passes them on for the editor to name; the label shows its placeholder.
    QCOMPARE(compress(m_randomBytes), m_randomBytes);
    ImageShowLabel label;
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    label.loadImage(m_randomBytes, true, 0);
    QCOMPARE(label.getShownPath(), QStringLiteral(":/res/moren.png"));
    QCOMPARE(shown.count(), 0);
}

void TestPhotoFormats::labelShowsAPhonePhoto()
{
    if (!m_heicSkipReason.isEmpty())
        QSKIP(qPrintable(m_heicSkipReason));
    const QString heic = m_phonePhotos.value("heif");
    ImageShowLabel label;
    label.resize(150, 100);
    QSignalSpy sizes(&label, &ImageShowLabel::backImgSize);
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    label.loadImage(heic, false, 0);
    QVERIFY(shown.count() > 0 || shown.wait(60000));
    QCOMPARE(sizes.first().at(0).toSize(), QSize(1800, 1200));
    // Too large to show as it is: shown through a compression run, as a JPEG of the cache.
    QVERIFY(label.getShownPath().startsWith(label.getCacheFolder()));
    QCOMPARE(PhotoFormats::formatOf(label.getShownPath()), QByteArray("jpeg"));
    QVERIFY(sameScene(label.grab().toImage(), QImage(testPhoto(QStringLiteral("Landscape_1.jpg")))));
}

void TestPhotoFormats::labelShowsEveryFormatQtReads_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("GIF") << QByteArray("gif") << QStringLiteral("advert.gif");
    QTest::newRow("BMP") << QByteArray("bmp") << QStringLiteral("logo.bmp");
    QTest::newRow("ICO") << QByteArray("ico") << QStringLiteral("tile.ico");
    QTest::newRow("SVG") << QByteArray("svg") << QStringLiteral("icon.svg");
    // Told by its content, not by its name.
    QTest::newRow("GIF named png") << QByteArray("gif") << QStringLiteral("advert.png");
}

// A picture from the service is shown in any format Qt reads; editors still offer and upload
// photos only.
void TestPhotoFormats::labelShowsEveryFormatQtReads()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, name);
    if (!qtReads(format))
        QSKIP(qPrintable(QStringLiteral("this Qt reads no %1 (its image plugin is not installed)").arg(QString::fromLatin1(format))));
    QByteArray bytes;
    if (format == "gif") {
        bytes = plainGif(48, 32, Qt::red);
    } else if (format == "svg") {
        bytes = QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"32\">"
                                  "<rect width=\"48\" height=\"32\" fill=\"#ff0000\"/></svg>");
    } else {
        QImage red(48, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(QImageWriter(&buffer, format).write(red));
    }
    ScriptedHttpServer server;
    QVERIFY(server.start());
    server.setReply(QStringLiteral("/files/") + name, ScriptedHttpServer::contentReply("image/" + format, bytes));

    ImageShowLabel label;
    label.resize(48, 32);
    QSignalSpy shown(&label, &ImageShowLabel::photoLoadFinish);
    QSignalSpy sizes(&label, &ImageShowLabel::backImgSize);
    label.loadImage(server.url(QStringLiteral("/files/") + name), false, 0);
    QVERIFY(shown.wait(10000));
    QCOMPARE(sizes.last().first().toSize(), QSize(48, 32));
    QVERIFY(label.getShownPath().startsWith(label.getCacheFolder()));
    QCOMPARE(PhotoFormats::shownFormatOf(label.getShownPath()), format);
    QCOMPARE(QColor(label.grab().toImage().pixel(24, 16)), QColor(Qt::red));
    // Not a photo of ours: not offered, and refused for upload.
    QCOMPARE(PhotoFormats::formatOf(label.getShownPath()), QByteArray());
    QCOMPARE(PhotoFormats::uploadProblem(label.getShownPath(), kLimit), QStringLiteral("格式不支持"));
}

QTEST_MAIN(TestPhotoFormats)
#include "tst_photoformats.moc"
