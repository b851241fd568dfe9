#include "routes/uploads/ImageInspector.h"

#include "routes/uploads/PngDecoder.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSemaphore>
#include <QStringList>
#include <QTransform>

#include <algorithm>

namespace {

struct Format
{
    const char* readerFormat;
    const char* extension;
    const char* contentType;
};

// What the site's pages show. Nothing else is decoded, however a plugin of this Qt may read it:
// a RAW plugin, say, makes a picture of any bytes.
const Format kFormats[] = {
    {"png", "png", "image/png"},
    {"jpeg", "jpg", "image/jpeg"},
    {"gif", "gif", "image/gif"},
    {"bmp", "bmp", "image/bmp"},
    {"webp", "webp", "image/webp"},
};

// The format whose own reader recognises the content; null when none does.
const Format* formatOf(QBuffer* buffer)
{
    for (const Format& candidate : kFormats) {
        // A reader that has looked may leave the buffer elsewhere.
        buffer->seek(0);
        QImageReader reader(buffer, candidate.readerFormat);
        reader.setAutoDetectImageFormat(false);
        if (reader.canRead())
            return &candidate;
    }
    return nullptr;
}

// "PNG、JPG、GIF、BMP、WEBP": the formats this Qt can read.
QString formatNames()
{
    static const QString names = [] {
        const QList<QByteArray> supported = QImageReader::supportedImageFormats();
        QStringList list;
        for (const Format& format : kFormats) {
            if (supported.contains(format.readerFormat))
                list << QString::fromLatin1(format.extension).toUpper();
        }
        return list.join(QStringLiteral("、"));
    }();
    return names;
}

const int kJpegQuality = 90;

QSemaphore g_decodeSlots(ImageInspector::kDecodeSlots);

// One decode's turn, given back however the decode ends.
class DecodeTurn
{
public:
    DecodeTurn()
        : m_taken(g_decodeSlots.tryAcquire(1, ImageInspector::kDecodeWaitMs))
    {
    }
    ~DecodeTurn()
    {
        if (m_taken)
            g_decodeSlots.release();
    }
    DecodeTurn(const DecodeTurn&) = delete;
    DecodeTurn& operator=(const DecodeTurn&) = delete;
    bool taken() const { return m_taken; }

private:
    bool m_taken;
};

// Bytes a pixel of the reader's picture takes once decoded; deep PNGs are decoded at 8 bits, and
// everything ends as 32-bit pixels.
qint64 bytesPerPixel(const QImageReader& reader, bool deepPng)
{
    const int depth = deepPng ? 32 : QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    return std::max(4, depth / 8);
}

// What Qt's readers do for setAutoTransform(true), for pictures decoded without them.
QImage turnedUpright(QImage image, QImageIOHandler::Transformations upright)
{
    if (upright == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    image = std::move(image).mirrored(upright & QImageIOHandler::TransformationMirror,
                                      upright & QImageIOHandler::TransformationFlip);
    if (upright & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// A copy holding only pixels: no text chunks, colour profile or other metadata of the source.
QImage barePixels(QImage image)
{
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
    const QImage::Format format = image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage converted = std::move(image).convertToFormat(format);
    return QImage(converted.constBits(), converted.width(), converted.height(), converted.bytesPerLine(),
                  converted.format())
        .copy();
}

} // namespace

ImageInspector::Result ImageInspector::inspect(const QByteArray& data)
{
    Result result;
    if (data.isEmpty()) {
        result.error = QStringLiteral("上传的文件是空的");
        return result;
    }
    if (data.size() > kMaxBytes) {
        result.error = QStringLiteral("图片不能超过10MB");
        return result;
    }
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const Format* known = formatOf(&buffer);
    if (!known) {
        result.error = QStringLiteral("文件不是支持的图片格式（%1）").arg(formatNames());
        return result;
    }
    buffer.seek(0);
    QImageReader reader(&buffer, known->readerFormat);
    reader.setAutoDetectImageFormat(false);
    const bool jpeg = QByteArray(known->extension) == "jpg";
    // Photos stay JPEG; a WebP photo too, rather than a PNG many times its size.
    const bool lossy = jpeg || QByteArray(known->extension) == "webp";
    const QSize size = reader.size();
    // Refuse before decoding, so a small file cannot claim gigabytes of pixels.
    if (!size.isValid()) {
        result.error = QStringLiteral("图片已损坏，无法读取");
        return result;
    }
    const qint64 pixels = static_cast<qint64>(size.width()) * size.height();
    if (pixels > (jpeg ? kMaxJpegPixels : kMaxPixels)) {
        result.error = QStringLiteral("图片尺寸过大");
        return result;
    }
    const bool scaled = size.width() > kMaxSide || size.height() > kMaxSide;
    const QSize target = scaled ? size.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio) : size;
    if (scaled)
        reader.setScaledSize(target);
    // JPEG is decoded at the reduced size; the others whole, then scaled.
    const bool deepPng = QByteArray(known->readerFormat) == "png" && PngDecoder::isDeep(copy);
    const qint64 decodedPixels = jpeg ? static_cast<qint64>(target.width()) * target.height() : pixels;
    if (decodedPixels * bytesPerPixel(reader, deepPng) > kMaxDecodeBytes) {
        result.error = QStringLiteral("图片尺寸过大");
        return result;
    }
    const DecodeTurn turn;
    if (!turn.taken()) {
        result.busy = true;
        result.error = QStringLiteral("服务暂时不可用，请稍后重试");
        return result;
    }
    QImage image;
    if (deepPng) {
        const QImageIOHandler::Transformations upright = reader.transformation();
        image = PngDecoder::decode(copy, pixels);
        if (scaled && !image.isNull())
            image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!image.isNull() && upright != QImageIOHandler::TransformationNone)
            image = turnedUpright(std::move(image), upright);
    } else {
        reader.setAutoTransform(true);
        image = reader.read();
    }
    if (image.isNull()) {
        result.error = QStringLiteral("图片已损坏，无法读取");
        return result;
    }
    const QImage bare = barePixels(std::move(image));
    const bool photo = lossy && !bare.hasAlphaChannel();
    QBuffer out(&result.encoded);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, photo ? "jpeg" : "png");
    if (photo)
        writer.setQuality(kJpegQuality);
    if (!writer.write(bare)) {
        result.error = QStringLiteral("图片已损坏，无法读取");
        result.encoded.clear();
        return result;
    }
    result.ok = true;
    result.extension = photo ? QStringLiteral("jpg") : QStringLiteral("png");
    result.size = bare.size();
    return result;
}

QByteArray ImageInspector::contentTypeForExtension(const QString& extension)
{
    for (const Format& candidate : kFormats) {
        if (extension == QLatin1String(candidate.extension))
            return QByteArray(candidate.contentType);
    }
    return QByteArray();
}
