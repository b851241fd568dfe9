#include "net/pictures/ImageShowLabel.h"

#include "net/http/ServiceAddresses.h"
#include "net/pictures/PhotoCompression.h"
#include "net/pictures/PhotoFormats.h"
#include "net/pictures/PictureDownloader.h"
#include "net/platform/AppFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QPainter>
#include <QUrl>

#include <algorithm>

namespace {

QString maskPath()
{
    return QStringLiteral("://res/mask.png");
}

struct PictureInfo
{
    QSize size{0, 0};
    qint64 decodedBytes = 0;
};

// The format comes from the content, whatever the name says; a label shows any format Qt reads.
void prepareReader(QImageReader& reader, const QString& path)
{
    PhotoFormats::prepareShowReader(reader, path);
    reader.setAutoTransform(true);
}

// cover: when valid, the picture is decoded no larger than needed to cover it (a JPEG at a reduced
// scale by its decoder): a label of fixed size never paints more, and decoding a whole photo for a
// thumbnail was most of what showing a list of them cost.
QImage readPicture(const QString& path, const QSize& cover = QSize())
{
    // Pictures compiled in (placeholders) never change, and a page shows the same one on every
    // label: decoded once.
    static QHash<QString, QImage> resources;
    const bool resource = path.startsWith(QLatin1Char(':'));
    if (resource) {
        const auto found = resources.constFind(path);
        if (found != resources.constEnd())
            return found.value();
    }
    QImageReader reader;
    prepareReader(reader, path);
    if (cover.isValid() && !resource) {
        const QSize stored = reader.size();
        // The reader scales before it turns the picture upright.
        const QSize bound = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) ? cover.transposed()
                                                                                                        : cover;
        if (stored.width() > bound.width() && stored.height() > bound.height())
            reader.setScaledSize(stored.scaled(bound, Qt::KeepAspectRatioByExpanding));
    }
    const QImage image = reader.read();
    if (resource && !image.isNull())
        resources.insert(path, image);
    return image;
}

// The picture's upright size and what it takes decoded, from its header where the format tells.
PictureInfo inspect(const QString& path)
{
    PictureInfo info;
    if (path.startsWith(QLatin1Char(':'))) {
        const QImage image = readPicture(path);
        info.size = image.size();
        info.decodedBytes = image.sizeInBytes();
        return info;
    }
    QImageReader reader;
    prepareReader(reader, path);
    QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (size.isValid() && format != QImage::Format_Invalid) {
        if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
            size.transpose();
        const qint64 bitsPerPixel = QImage::toPixelFormat(format).bitsPerPixel();
        const qint64 bytesPerLine = ((size.width() * bitsPerPixel + 31) / 32) * 4;
        info.size = size;
        info.decodedBytes = bytesPerLine * size.height();
        return info;
    }
    const QImage image = reader.read();
    if (!image.isNull()) {
        info.size = image.size();
        info.decodedBytes = image.sizeInBytes();
    }
    return info;
}

// A cached file that does not decode may only carry the wrong extension: try the other one.
QString withOtherExtension(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return path;
    QString other;
    if (suffix.contains(QLatin1String("png")))
        other = QStringLiteral("jpg");
    else if (suffix.contains(QLatin1String("jpg")))
        other = QStringLiteral("png");
    else
        return path;
    const QString renamed = QStringLiteral("%1/%2").arg(info.absolutePath(),
                                                        info.completeBaseName() + QLatin1Char('.') + other);
    if (!QFileInfo::exists(renamed))
        QFile::rename(path, renamed);
    return renamed;
}

// The picture within `area` with its proportions kept: fitted inside (smaller on one side), or
// covering it with the overflow cut off evenly on both sides.
QImage proportioned(const QImage& picture, const QSize& area, Qt::AspectRatioMode mode, Qt::TransformationMode quality)
{
    if (picture.isNull() || area.isEmpty())
        return QImage();
    if (mode != Qt::KeepAspectRatioByExpanding)
        return picture.scaled(area, Qt::KeepAspectRatio, quality);
    const QSize cut = area.scaled(picture.size(), Qt::KeepAspectRatio);
    const QRect middle(QPoint((picture.width() - cut.width()) / 2, (picture.height() - cut.height()) / 2), cut);
    return picture.copy(middle).scaled(area, Qt::IgnoreAspectRatio, quality);
}

// Where a picture of `size` goes inside `area`: centred, and shrunk with its proportions when larger.
QRect centredIn(const QRect& area, QSize size)
{
    if (size.width() > area.width() || size.height() > area.height())
        size.scale(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

} // namespace

ImageShowLabel::ImageShowLabel(QWidget* parent)
    : QLabel(parent)
    , cacheFolder(AppFolders::imageCacheFolder())
    , placeholderPath(QStringLiteral(":/res/moren.png"))
    , hiddenLabel(new QLabel(this))
{
    hiddenLabel->hide();
}

ImageShowLabel::~ImageShowLabel() = default;

bool ImageShowLabel::isAddress(const QString& text)
{
    return text.contains(QLatin1String("http://")) || text.contains(QLatin1String("https://"))
        || ServiceAddresses::containsFileHost(text);
}

bool ImageShowLabel::isServiceAddress(const QString& value)
{
    if (!isAddress(value))
        return false;
    // A host name without a scheme gets "http://"; a text with any other scheme, or with an
    // address further inside it, is not an address.
    const QString address = normalizedAddress(value);
    QString text = value;
    text.remove(QLatin1Char(' '));
    if (address != text && text.contains(QLatin1String("://")))
        return false;
    const QUrl url(address);
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty();
}

QString ImageShowLabel::normalizedAddress(const QString& text)
{
    QString address = text;
    address.remove(QLatin1Char(' '));
    if (!address.contains(QLatin1String("http://")) && !address.contains(QLatin1String("https://")))
        address = QStringLiteral("http://%1").arg(address);
    return address;
}

QString ImageShowLabel::cacheName(qint64 limit, const QString& address)
{
    // Latin-1 as ever, except for text it cannot hold: there every other character would turn
    // into "?" and different addresses would share one cache file.
    const QString text = QString::number(limit) + address;
    const bool latin1 = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xff; });
    const QByteArray key =
        QCryptographicHash::hash(latin1 ? text.toLatin1() : text.toUtf8(), QCryptographicHash::Md5).toHex();
    QString tail = address.section(QLatin1Char('?'), 0, 0).section(QLatin1Char('/'), -1);
    if (tail.length() > 6)
        tail = tail.right(6);
    QString name = QStringLiteral("%1-%2").arg(QString::fromLatin1(key), tail);
    name.remove(QLatin1Char('%'));
    return name;
}

void ImageShowLabel::loadImage(const QString& newSource, bool compressLarge, int newMaskSize)
{
    beginLoad(newSource, compressLarge, newMaskSize);
    if (source.isEmpty()) {
        reportSize(inspect(placeholderPath).size);
        showFile(placeholderPath, false);
        return;
    }

    if (!isAddress(source)) {
        const PictureInfo info = inspect(source);
        reportSize(info.size);
        if (info.decodedBytes > maxFileSize && compress) {
            showPlaceholderIfWanted();
            const QString name = QFileInfo(source).fileName();
            QDir().mkpath(cacheFolder);
            startCompressionRun(source, QStringLiteral("%1/again_%2").arg(cacheFolder, name));
        } else {
            showFile(source, false);
        }
        return;
    }

    source = normalizedAddress(source);
    const QString cacheFile = QStringLiteral("%1/%2").arg(cacheFolder, cacheName(maxFileSize, source));
    if (useCache && QFileInfo::exists(cacheFile)) {
        const PictureInfo info = inspect(cacheFile);
        reportSize(info.size);
        if (info.decodedBytes > maxFileSize && compress) {
            showPlaceholderIfWanted();
            // The compressed picture replaces the cached one.
            startCompressionRun(cacheFile, cacheFile);
        } else {
            showFile(cacheFile, true);
        }
        return;
    }

    showPlaceholderIfWanted();
    download(source);
}

void ImageShowLabel::beginLoad(const QString& newSource, bool compressLarge, int newMaskSize)
{
    // Downloads and compression runs of earlier loads may still answer: only this load's count.
    ++currentLoad;
    loaded = false;
    emit startLoad();
    source = newSource;
    compress = compressLarge;
    maskSize = newMaskSize;
}

void ImageShowLabel::loadPickedOrServiceImage(const QString& value, bool compressLarge)
{
    if (!isAddress(value) && QFileInfo::exists(value))
        loadImage(value, compressLarge);
    else
        loadServiceImage(value, compressLarge);
}

void ImageShowLabel::loadServiceImage(const QString& value, bool compressLarge, int newMaskSize)
{
    if (value.isEmpty() || isServiceAddress(value)) {
        loadImage(value, compressLarge, newMaskSize);
        return;
    }
    beginLoad(value, compressLarge, newMaskSize);
    reportSize(inspect(placeholderPath).size);
    showFailure();
}

void ImageShowLabel::download(const QString& address)
{
    const quint64 load = currentLoad;
    pendingFile = QStringLiteral("%1/%2").arg(cacheFolder, cacheName(maxFileSize, address));
    PictureDownloader::shared()->fetch(address, pendingFile, this, [this, load](QNetworkReply* reply) {
        // The picture stays in the cache, but the label shows a newer load's by now.
        if (load == currentLoad)
            dealpicdownload(reply);
    });
}

void ImageShowLabel::dealpicdownload(QNetworkReply* reply)
{
    const QString cacheFile = pendingFile;
    if (!PictureDownloader::stored(reply, cacheFile)) {
        showFailure();
        return;
    }
    if (QFileInfo(cacheFile).size() > maxFileSize && compress) {
        startCompressionRun(cacheFile, cacheFile);
        return;
    }
    reportSize(inspect(showFile(cacheFile, true)).size);
}

void ImageShowLabel::dealDownloadPhotosCompression(QString path, QVariant value)
{
    Q_UNUSED(value)
    dealPhotosCompression(path);
}

void ImageShowLabel::dealPhotosCompression(QString path)
{
    reportSize(inspect(showFile(path, true)).size);
}

void ImageShowLabel::reportSize(const QSize& size)
{
    if (size.width() > 0)
        aspectRatio = double(size.height()) / size.width();
    emit backImgSize(size);
}

void ImageShowLabel::startCompressionRun(const QString& file, const QString& outputPath)
{
    const quint64 load = currentLoad;
    ++compressionsInFlight;
    PhotoCompression::start(file, QFileInfo(file).fileName(), maxFileSize, outputPath, double(scaleFactor), this,
                            [this, load](const QString& path, const QVariant& value) {
                                --compressionsInFlight;
                                if (load == currentLoad)
                                    dealDownloadPhotosCompression(path, value);
                            });
}

void ImageShowLabel::showPlaceholderIfWanted()
{
    if (showPlaceholder)
        showFile(placeholderPath, false);
}

void ImageShowLabel::showFailure()
{
    loaded = false;
    showFile(placeholderPath, false);
}

QString ImageShowLabel::showFile(const QString& file, bool repairExtension)
{
    const bool placeholder = file == placeholderPath;
    if (!overlayPath.isEmpty())
        paintState = 0;
    else if (maskSize > 0)
        paintState = 1;
    else
        paintState = fixedSizeSet ? 2 : 3;

    // A large file is not shown as it is: it goes through a compression run first.
    if ((paintState == 2 || paintState == 3) && !placeholder && !compress
        && QFileInfo(file).size() >= maxFileSize) {
        loadImage(source, true, 0);
        return file;
    }

    // A label of fixed size, or with a display size, paints the picture at that size at most.
    QSize cover;
    if ((paintState == 2 || paintState == 3) && !placeholder) {
        const QSize shown = paintState == 2 && !fixedSize.isEmpty() ? fixedSize
                            : minimumSize() == maximumSize()       ? maximumSize()
                                                                   : QSize();
        if (!shown.isEmpty())
            cover = shown * devicePixelRatioF();
    }
    QString path = file;
    QImage picture = readPicture(path, cover);
    if (picture.isNull() && repairExtension && !placeholder) {
        path = withOtherExtension(path);
        picture = readPicture(path, cover);
    }
    if (picture.isNull() && !placeholder) {
        showFailure();
        return placeholderPath;
    }
    shownPath = path;
    shownImage = picture;
    paintCacheState = -1;
    setText(placeholder ? placeholderText : QString());
    update();

    if (placeholder)
        return path;
    const QString reset = QStringLiteral("border-image: none;image: none;");
    if (!styleSheet().contains(reset))
        setStyleSheet(QStringLiteral("%1%2").arg(styleSheet(), reset));
    loaded = true;
    emit photoLoadFinish();
    return path;
}

QImage ImageShowLabel::paintedPicture(const QSize& size, Qt::TransformationMode mode)
{
    if (paintCacheState != paintState || paintCacheSize != size || paintCacheImage != shownImage.cacheKey()) {
        paintCache = proportioned(shownImage, size, aspectRatioMode, mode);
        paintCacheState = paintState;
        paintCacheSize = size;
        paintCacheImage = shownImage.cacheKey();
    }
    return paintCache;
}

QImage ImageShowLabel::maskedPicture()
{
    const QSize key(maskSize, maskSize);
    if (paintCacheState == 1 && paintCacheSize == key && paintCacheImage == shownImage.cacheKey())
        return paintCache;
    const QImage mask(maskPath());
    // A round cut-out is filled: the picture's middle square, never a squeezed whole.
    const QImage picture = proportioned(shownImage, mask.size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QImage result(mask.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    {
        // The picture stays only where the mask is transparent.
        QPainter painter(&result);
        painter.drawImage(0, 0, mask);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOut);
        painter.drawImage(0, 0, picture);
    }
    paintCache = result;
    paintCacheState = 1;
    paintCacheSize = key;
    paintCacheImage = shownImage.cacheKey();
    return paintCache;
}

void ImageShowLabel::paintEvent(QPaintEvent* event)
{
    if (!shownImage.isNull() && !size().isEmpty()) {
        QPainter painter(this);
        switch (paintState) {
        case 0:
            if (!overlayImage.isNull()) {
                const QImage picture = paintedPicture(size(), Qt::SmoothTransformation);
                painter.drawImage(centredIn(rect(), picture.size()), picture);
                painter.drawImage(rect(), overlayImage);
            }
            break;
        case 1:
            if (maskSize > 0) {
                painter.drawImage(QRect(width() / 2 - maskSize, height() / 2 - maskSize, 2 * maskSize, 2 * maskSize),
                                  maskedPicture());
            }
            break;
        case 2: {
            // Scaled at the display size, then shown in the label with the same proportions.
            const QImage picture = paintedPicture(fixedSize.isEmpty() ? size() : fixedSize, Qt::FastTransformation);
            painter.drawImage(centredIn(rect(), picture.size().scaled(size(), Qt::KeepAspectRatio)), picture);
            break;
        }
        default: {
            const QImage picture = paintedPicture(size(), Qt::SmoothTransformation);
            painter.drawImage(centredIn(rect(), picture.size()), picture);
            break;
        }
        }
    }
    QLabel::paintEvent(event);
}

void ImageShowLabel::mousePressEvent(QMouseEvent* event)
{
    if (pressEnabled) {
        if (event->buttons() == Qt::LeftButton)
            emit leftClick();
        if (emitClick)
            emit clickLabel();
    }
    QLabel::mousePressEvent(event);
}

void ImageShowLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClick();
    QLabel::mouseDoubleClickEvent(event);
}

void ImageShowLabel::setCacheFolder(int mode, bool cache)
{
    const QString folder = AppFolders::folderForMode(mode);
    if (!folder.isEmpty()) {
        cacheMode = mode;
        cacheFolder = folder;
    }
    useCache = cache;
}

void ImageShowLabel::setMaxFileSize(qint64 size)
{
    maxFileSize = size;
}

void ImageShowLabel::setShowSize(int width, int height)
{
    fixedSizeSet = true;
    if (width > 0 && height > 0)
        fixedSize = QSize(width, height);
}

void ImageShowLabel::setScaleFactor(int factor)
{
    scaleFactor = factor;
}

void ImageShowLabel::setShowPlaceholder(bool show)
{
    showPlaceholder = show;
}

void ImageShowLabel::setPlaceholderPath(const QString& path)
{
    placeholderPath = path;
}

void ImageShowLabel::setOverlayPath(const QString& path)
{
    overlayPath = path;
    overlayImage = path.isEmpty() ? QImage() : readPicture(path);
}

void ImageShowLabel::setEmitClick(bool emitOnPress)
{
    emitClick = emitOnPress;
}

void ImageShowLabel::setPressEnabled(bool enabled)
{
    pressEnabled = enabled;
}

void ImageShowLabel::setAspectMode(Qt::AspectRatioMode mode)
{
    // Stretching is what this setting exists to prevent.
    aspectRatioMode = mode == Qt::KeepAspectRatioByExpanding ? mode : Qt::KeepAspectRatio;
    paintCacheState = -1;
    update();
}

void ImageShowLabel::setPlaceholderText(const QString& text)
{
    placeholderText = text;
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    setWordWrap(true);
    setMargin(4);
    // Small enough for an icon-sized area to hold it on one line.
    QFont hintFont = font();
    hintFont.setPixelSize(12);
    setFont(hintFont);
    if (shownPath.isEmpty() && !text.isEmpty()) {
        // A label that says where to click shows its placeholder before anything is loaded.
        showFile(placeholderPath, false);
    } else if (shownPath == placeholderPath) {
        setText(text);
    }
}

void ImageShowLabel::setPickable(bool pickable)
{
    setEmitClick(pickable);
    setPlaceholderText(pickable ? pickHint() : QString());
    if (pickable)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

QString ImageShowLabel::pickHint()
{
    return QStringLiteral("点击选择图片");
}

QString ImageShowLabel::getSource() const
{
    return source;
}

QString ImageShowLabel::getShownPath() const
{
    return shownPath;
}

QString ImageShowLabel::getCacheFolder() const
{
    return cacheFolder;
}

int ImageShowLabel::getPaintState() const
{
    return paintState;
}

double ImageShowLabel::getAspectRatio() const
{
    return aspectRatio;
}

bool ImageShowLabel::isLoaded() const
{
    return loaded;
}
