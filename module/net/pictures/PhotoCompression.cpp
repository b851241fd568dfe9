#include "net/pictures/PhotoCompression.h"

#include "net/pictures/PictureFiles.h"
#include "net/platform/AppFolders.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QImageWriter>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QSet>
#include <QThreadPool>
#include <QTransform>

namespace {

// Decoding and encoding run on as many threads as there are cores, however many photos are
// picked: the other runs wait their turn, so the first results come early. The same few
// threads do all the heavy work, so the allocator keeps a few arenas' worth of image buffers
// instead of one per photo.
struct HeavyWorkPool
{
    HeavyWorkPool() { pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount())); }
    QThreadPool pool;
};

QThreadPool& heavyWork()
{
    static HeavyWorkPool heavy;
    return heavy.pool;
}

struct PathsInFlight
{
    QMutex mutex;
    QSet<QString> paths;
};

PathsInFlight& pathsInFlight()
{
    static PathsInFlight registry;
    return registry;
}

bool hasQuarterTurn(QImageIOHandler::Transformations transformation)
{
    return transformation.testFlag(QImageIOHandler::TransformationRotate90);
}

// The reader's orientation as Qt itself applies it: mirror and flip first, then a quarter turn
// clockwise.
QImage applyTransformation(const QImage& image, QImageIOHandler::Transformations transformation)
{
    if (transformation == QImageIOHandler::TransformationNone)
        return image;
    if (transformation == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    QImage upright = image.mirrored(transformation.testFlag(QImageIOHandler::TransformationMirror),
                                    transformation.testFlag(QImageIOHandler::TransformationFlip));
    if (hasQuarterTurn(transformation))
        upright = upright.transformed(QTransform().rotate(90));
    return upright;
}

// The size of the result for an upright image of `upright` pixels fitted to `target`: the same
// two aspect-keeping steps as scaling the full image to the target and then to the encoding size.
QSize resultSize(const QSize& upright, const QSize& target, double factor)
{
    const QSize encoding(int(target.width() / factor), int(target.height() / factor));
    if (factor > 1.0)
        return upright.scaled(target, Qt::KeepAspectRatio).scaled(encoding, Qt::KeepAspectRatio);
    return upright.scaled(encoding, Qt::KeepAspectRatio);
}

// The largest libjpeg reduction (1/8, 1/4, 1/2) whose decoded image still covers `needed`.
int jpegReduction(const QSize& stored, const QSize& needed)
{
    for (int denominator : {8, 4, 2}) {
        if (stored.width() / denominator >= needed.width()
            && stored.height() / denominator >= needed.height())
            return denominator;
    }
    return 1;
}

QByteArray encodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        return QByteArray();
    // Transparent parts come out as a pixmap would render them.
    const QImage opaque = image.hasAlphaChannel()
        ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        : image;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QByteArrayLiteral("JPEG"));
    writer.setQuality(quality);
    if (!writer.write(opaque))
        return QByteArray();
    return bytes;
}

QString numberedPath(const QString& path, int number)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? path : path.left(path.length() - suffix.length() - 1);
    QString numbered = stem + QLatin1Char('_') + QString::number(number);
    if (!suffix.isEmpty())
        numbered += QLatin1Char('.') + suffix;
    return numbered;
}

// The first free one of: preferred, fallback, fallback numbered from 2 on. A path another run
// is writing is never free, nor is a fallback that is on disk; the preferred one on disk is free
// only when it may be overwritten.
QString claimFreePath(const QString& preferred, const QString& fallback, bool overwritePreferred)
{
    PathsInFlight& registry = pathsInFlight();
    QMutexLocker locker(&registry.mutex);
    const auto isFree = [&registry](const QString& path, bool mayOverwrite) {
        return !registry.paths.contains(path) && (mayOverwrite || !QFileInfo::exists(path));
    };
    QString path = preferred;
    if (!isFree(path, overwritePreferred)) {
        path = fallback;
        for (int number = 2; !isFree(path, false); ++number)
            path = numberedPath(fallback, number);
    }
    registry.paths.insert(path);
    return path;
}

} // namespace

PhotoCompression::PhotoCompression(QObject* parent)
    : QObject(parent)
    , maxImageSize(1920, 1080)
{
}

PhotoCompression::~PhotoCompression() = default;

void PhotoCompression::setParameters(const QString& address_, const QVariant& value_,
                                     qint64 maxFileSize_, const QString& outputPath_,
                                     double scaleFactor_)
{
    address = address_;
    value = value_;
    maxFileSize = maxFileSize_;
    outputPath = outputPath_;
    scaleFactor = scaleFactor_;
}

QSize PhotoCompression::fittedSize(const QSize& upright)
{
    const int boxWidth = 1920;
    const int boxHeight = 1080;
    const int width = upright.width();
    const int height = upright.height();
    if (width <= boxWidth && height <= boxHeight)
        return upright;
    if (double(height) / width > double(boxHeight) / boxWidth)
        return QSize(int(double(width) * boxHeight / height), boxHeight);
    return QSize(boxWidth, int(double(height) * boxWidth / width));
}

QString PhotoCompression::claimOutputPath(const QString& preferred)
{
    return claimFreePath(preferred, preferred, true);
}

QString PhotoCompression::claimDerivedOutputPath(const QString& folder, const QString& baseName)
{
    const QString preferred = QStringLiteral("%1/%2_com.%3").arg(folder, baseName, QStringLiteral("jpg"));
    QString copy = preferred;
    copy.insert(copy.length() - 4, QStringLiteral("_copy"));
    return claimFreePath(preferred, copy, false);
}

void PhotoCompression::releaseOutputPath(const QString& path)
{
    PathsInFlight& registry = pathsInFlight();
    QMutexLocker locker(&registry.mutex);
    registry.paths.remove(path);
}

PhotoCompression* PhotoCompression::prepare(const QString& address_, const QVariant& value_,
                                            qint64 maxFileSize_, const QString& outputPath_,
                                            double scaleFactor_, QObject* receiver,
                                            QThread** thread)
{
    // Neither has a parent: the thread's end releases both.
    auto* worker = new PhotoCompression;
    worker->setParameters(address_, value_, maxFileSize_, outputPath_, scaleFactor_);
    auto* runThread = new QThread;
    worker->moveToThread(runThread);

    connect(receiver, &QObject::destroyed, worker, &PhotoCompression::stopCompresssion);
    connect(receiver, &QObject::destroyed, runThread, &QThread::quit);
    connect(runThread, &QThread::started, worker, &PhotoCompression::startCompression);
    // Direct: the thread ends as soon as the result is out, whatever the GUI thread is doing.
    connect(worker, &PhotoCompression::compression_address, runThread, &QThread::quit,
            Qt::DirectConnection);
    connect(runThread, &QThread::finished, worker, &QObject::deleteLater);
    connect(runThread, &QThread::finished, runThread, &QObject::deleteLater);
    *thread = runThread;
    return worker;
}

void PhotoCompression::finish(const QString& path)
{
    emit compression_address(path, value);
}

void PhotoCompression::startCompression()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);

    // Icons are never recompressed, and a file within the limit is passed on untouched.
    if (address.contains(QLatin1String(".ico"))) {
        finish(address);
        return;
    }
    if (QFileInfo(address).size() <= maxFileSize) {
        finish(address);
        return;
    }

    QString written;
    QSemaphore done;
    heavyWork().start([this, &written, &done] {
        written = compressFile();
        done.release();
    });
    done.acquire();
    finish(written.isEmpty() ? address : written);
}

QString PhotoCompression::compressFile()
{
    QImageReader reader(address, QByteArray());
    if (address.contains(QLatin1String(".png"))) {
        reader.setDecideFormatFromContent(true);
        reader.setFormat(QByteArrayLiteral("png"));
    }
    reader.setAutoTransform(false);
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const QSize stored = reader.size();
    QSize upright = stored;
    if (stored.isValid() && hasQuarterTurn(transformation))
        upright.transpose();

    // libjpeg decodes at 1/2, 1/4 or 1/8 scale for a fraction of the cost; the scaled size is a
    // whole fraction of the stored one, so Qt does not resample it again.
    if (stored.isValid() && reader.format() == "jpeg" && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        QSize needed = resultSize(upright, fittedSize(upright), scaleFactor);
        if (hasQuarterTurn(transformation))
            needed.transpose();
        const int reduction = jpegReduction(stored, needed);
        if (reduction > 1)
            reader.setScaledSize(QSize(stored.width() / reduction, stored.height() / reduction));
    }

    const QImage decoded = reader.read();
    if (decoded.isNull())
        return QString();
    if (!stored.isValid()) {
        upright = decoded.size();
        if (hasQuarterTurn(transformation))
            upright.transpose();
    }
    const QSize target = fittedSize(upright);

    // Shrink first and turn the small result: cheaper, and the pixels end up the same.
    auto build = [&](double factor) {
        QSize size = resultSize(upright, target, factor);
        if (size.isEmpty())
            return QImage();
        if (hasQuarterTurn(transformation))
            size.transpose();
        const QImage scaled = decoded.size() == size
            ? decoded
            : decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return applyTransformation(scaled, transformation);
    };

    // Encoded in memory and written once, so a reader never sees a half-written file.
    QImage result = build(scaleFactor);
    QByteArray bytes = encodeJpeg(result, -1);
    if (bytes.isEmpty())
        return QString();
    int quality = 50;
    while (bytes.size() > maxFileSize) {
        const QByteArray again = encodeJpeg(result, quality);
        if (again.isEmpty())
            break;
        bytes = again;
        if (quality >= 40) {
            quality -= 40;
        } else {
            if (scaleFactor > 5.0)
                break;
            scaleFactor += 2.0;
            result = build(scaleFactor);
            quality = 100;
        }
    }

    const QString folder = AppFolders::temporaryFolder();
    QDir().mkpath(folder);
    const QString file = outputPath.isEmpty() ? claimDerivedOutputPath(folder, QFileInfo(address).baseName())
                                              : claimOutputPath(outputPath);
    const bool ok = PictureFiles::writeAtomically(file, bytes);
    releaseOutputPath(file);
    return ok ? file : QString();
}

void PhotoCompression::stopCompresssion()
{
    stopRequested = true;
}
