#include "routes/ImageInspector.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace {

struct Format
{
    const char* readerFormat;
    const char* extension;
    const char* contentType;
};

const Format kFormats[] = {
    {"png", "png", "image/png"},
    {"jpeg", "jpg", "image/jpeg"},
    {"jpg", "jpg", "image/jpeg"},
    {"gif", "gif", "image/gif"},
    {"bmp", "bmp", "image/bmp"},
    {"webp", "webp", "image/webp"},
};

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
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    const Format* known = nullptr;
    for (const Format& candidate : kFormats) {
        if (format == candidate.readerFormat)
            known = &candidate;
    }
    if (!known) {
        result.error = QStringLiteral("文件不是支持的图片格式（PNG、JPG、GIF、BMP、WEBP）");
        return result;
    }
    const QSize size = reader.size();
    // Refuse before decoding, so a small file cannot claim gigabytes of pixels.
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPixels) {
        result.error = QStringLiteral("图片尺寸过大");
        return result;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        result.error = QStringLiteral("图片已损坏，无法读取");
        return result;
    }
    result.ok = true;
    result.extension = QString::fromLatin1(known->extension);
    result.size = image.size();
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
