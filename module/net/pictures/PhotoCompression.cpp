#include "net/pictures/PhotoCompression.h"

#include "net/pictures/JpegCodec.h"
#include "net/pictures/PhotoFormats.h"
#include "net/pictures/PhotoScaler.h"
#include "net/pictures/PictureFiles.h"
#include "net/platform/AppFolders.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QSet>
#include <QThreadPool>
#include <QTransform>

#include <algorithm>
#include <functional>
#include <cmath>
#include <vector>

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
    // Never destroyed: a run may still be finishing on its thread while the process exits.
    static PathsInFlight* registry = new PathsInFlight;
    return *registry;
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

// The qualities tried. Past 95 a JPEG grows fast for nothing one can see.
const int kFirstQuality = 75;
const int kTopQuality = 95;
const int kMostTries = 6;
// Guesses aim a little under the budget, so that they tend to fit; a result this close to the
// budget is kept, since the next quality step is about as large.
const double kAim = 0.985;
const double kCloseEnough = 0.96;

// libjpeg's scale of its base quantisation tables for a quality, in percent.
double quantiserScale(int quality)
{
    return quality < 50 ? 5000.0 / quality : 200.0 - 2.0 * quality;
}

// The highest quality whose scale is at least `scale`, so whose encoding is no larger.
int qualityForScale(double scale)
{
    if (scale >= 100.0)
        return int(std::floor(5000.0 / scale));
    return int(std::floor((200.0 - scale) / 2.0));
}

struct Trial
{
    int quality;
    qint64 bytes;
};

struct BudgetFit
{
    // The encoding kept: the highest quality that fits, else the one at the lowest quality.
    QByteArray bytes;
    bool fits = false;
    bool failed = false;
};

// The next quality to try. Bytes grow about as a power of the quantiser scale, so the guess is
// read off the line through the two tries nearest the budget (in logarithms), or off a usual
// slope after one try, and kept strictly between the best fit and the lowest overflow.
int nextQuality(const std::vector<Trial>& trials, qint64 budget, int fitting, int overflowing)
{
    const double target = std::log(kAim * budget);
    std::vector<Trial> nearest = trials;
    std::sort(nearest.begin(), nearest.end(), [target](const Trial& a, const Trial& b) {
        return std::abs(std::log(double(a.bytes)) - target) < std::abs(std::log(double(b.bytes)) - target);
    });
    const Trial& anchor = nearest.front();
    double slope = 0.6;
    if (nearest.size() > 1) {
        const Trial& other = nearest.at(1);
        const double run = std::log(quantiserScale(other.quality)) - std::log(quantiserScale(anchor.quality));
        const double rise = std::log(double(anchor.bytes)) - std::log(double(other.bytes));
        // A picture that hardly grows with quality (flat colour) would send the guess far off.
        slope = qMax(0.1, rise / run);
    }
    const double scale = std::exp(std::log(quantiserScale(anchor.quality))
                                  - (target - std::log(double(anchor.bytes))) / slope);
    return qBound(fitting + 1, qualityForScale(scale), overflowing - 1);
}

// `image` as JPEG at the highest quality from `floor` to kTopQuality that fits in `budget`,
// found with a few encodes in memory.
BudgetFit encodeWithinBudget(const QImage& image, int floor, qint64 budget)
{
    BudgetFit fit;
    std::vector<Trial> trials;
    int fitting = floor - 1;
    int overflowing = kTopQuality + 1;
    QByteArray lowest;
    int lowestQuality = kTopQuality + 1;
    int quality = qBound(floor, kFirstQuality, kTopQuality);
    for (int tries = 1;; ++tries) {
        const QByteArray bytes = JpegCodec::encode(image, quality);
        if (bytes.isEmpty()) {
            fit.failed = true;
            return fit;
        }
        trials.push_back({quality, bytes.size()});
        if (bytes.size() <= budget) {
            fitting = quality;
            fit.bytes = bytes;
            fit.fits = true;
        } else {
            overflowing = quality;
        }
        if (quality < lowestQuality) {
            lowestQuality = quality;
            lowest = bytes;
        }
        if (overflowing - fitting <= 1 || (fit.fits && fit.bytes.size() >= kCloseEnough * budget))
            break;
        if (tries >= kMostTries) {
            if (fit.fits || quality == floor)
                break;
            // One more: whether this size will do at all.
            quality = floor;
            continue;
        }
        quality = nextQuality(trials, budget, fitting, overflowing);
    }
    if (!fit.fits)
        fit.bytes = lowest;
    return fit;
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

    // Icons are never recompressed.
    if (QFileInfo(address).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0) {
        finish(address);
        return;
    }
    // A JPEG or PNG within the limit is passed on untouched, and so is a file that is no picture
    // at all; a phone's HEIC or WebP is turned into a JPEG whatever its size, since the service
    // takes JPEG and PNG only.
    if (QFileInfo(address).size() <= maxFileSize) {
        const QByteArray format = PhotoFormats::formatOf(address);
        if (format.isEmpty() || PhotoFormats::isUploadFormat(format)) {
            finish(address);
            return;
        }
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
    QImageReader reader;
    const QByteArray format = PhotoFormats::prepareReader(reader, address);
    if (format.isEmpty())
        return QString();
    reader.setAutoTransform(false);
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const QSize stored = reader.size();
    QSize upright = stored;
    if (stored.isValid() && hasQuarterTurn(transformation))
        upright.transpose();

    // A JPEG is decoded at each size it is needed in, reduced by the codec where the result is
    // smaller anyway and scaled while it decodes; any other picture once, whole, by Qt.
    QByteArray jpeg;
    if (format == "jpeg" && stored.isValid()) {
        QFile file(address);
        if (file.open(QIODevice::ReadOnly))
            jpeg = file.readAll();
    }
    QImage decoded;
    if (!stored.isValid()) {
        decoded = reader.read();
        if (decoded.isNull())
            return QString();
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
        QImage scaled;
        QColorSpace colours;
        QSize reduced;
        const int eighths = decoded.isNull() ? JpegCodec::eighths(jpeg, size, &reduced) : 0;
        if (eighths > 0) {
            scaled = PhotoScaler::scaledWhileDecoding(
                reduced, size,
                [&](const std::function<uchar*(int)>& lineFor, const std::function<void(int)>& lineDone) {
                    return JpegCodec::decodeLines(jpeg, eighths, reduced, lineFor, lineDone);
                },
                &heavyWork());
            colours = JpegCodec::colorSpace(jpeg);
        }
        if (scaled.isNull()) {
            if (decoded.isNull())
                decoded = reader.read();
            if (decoded.isNull())
                return QImage();
            scaled = decoded.size() == size ? decoded : PhotoScaler::scaled(decoded, size, &heavyWork());
            colours = decoded.colorSpace();
        }
        // The site shows pixels as sRGB: a photo with another profile (a phone's Display P3,
        // say) keeps its colours by being converted, since the JPEG written carries no profile.
        if (colours.isValid() && colours != QColorSpace(QColorSpace::SRgb)) {
            scaled.setColorSpace(colours);
            scaled.convertToColorSpace(QColorSpace::SRgb);
        }
        return applyTransformation(scaled, transformation);
    };

    // Each size is tried at the highest quality that fits. A size that does not fit even at its
    // lowest quality gives way to a smaller one (the factor raised by 2, while it is 5 or less);
    // after the last the smallest file made stands, over the limit.
    QByteArray bytes;
    int floor = 10;
    for (double factor = scaleFactor;; factor += 2.0) {
        const BudgetFit fit = encodeWithinBudget(build(factor), floor, maxFileSize);
        if (fit.failed)
            break;
        bytes = fit.bytes;
        if (fit.fits || factor > 5.0)
            break;
        floor = 20;
    }
    if (bytes.isEmpty())
        return QString();

    // Encoded in memory and written once, so a reader never sees a half-written file.
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
