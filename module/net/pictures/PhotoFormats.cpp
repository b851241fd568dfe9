#include "net/pictures/PhotoFormats.h"

#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

namespace {

struct Format
{
    const char* name;
    // File name suffixes in lower case.
    QStringList suffixes;
};

const QList<Format>& photoFormats()
{
    static const QList<Format> formats = {
        {"jpeg", {QStringLiteral("jpg"), QStringLiteral("jpeg")}},
        {"png", {QStringLiteral("png")}},
        {"heif", {QStringLiteral("heic"), QStringLiteral("heif")}},
        {"avif", {QStringLiteral("avif")}},
        {"webp", {QStringLiteral("webp")}},
        {"tiff", {QStringLiteral("tif"), QStringLiteral("tiff")}},
    };
    return formats;
}

// The first of `formats` whose own reader takes the file's content. With detection off no other
// reader is tried, and a format without a plugin here is not recognised.
QByteArray detect(const QString& path, const QList<QByteArray>& formats)
{
    for (const QByteArray& format : formats) {
        QImageReader reader(path, format);
        reader.setAutoDetectImageFormat(false);
        if (reader.canRead())
            return format;
    }
    return QByteArray();
}

QByteArray prepare(QImageReader& reader, const QString& path, const QByteArray& format)
{
    if (format.isEmpty())
        return format;
    reader.setAutoDetectImageFormat(false);
    reader.setFormat(format);
    reader.setFileName(path);
    return format;
}

} // namespace

QList<QByteArray> PhotoFormats::readableFormats()
{
    // Listing what Qt reads loads every image plugin once; the list does not change afterwards.
    static const QList<QByteArray> readable = [] {
        const QList<QByteArray> supported = QImageReader::supportedImageFormats();
        QList<QByteArray> formats;
        for (const Format& format : photoFormats()) {
            if (supported.contains(format.name))
                formats.append(format.name);
        }
        return formats;
    }();
    return readable;
}

QByteArray PhotoFormats::formatOf(const QString& path)
{
    return detect(path, readableFormats());
}

QByteArray PhotoFormats::prepareReader(QImageReader& reader, const QString& path)
{
    return prepare(reader, path, formatOf(path));
}

QList<QByteArray> PhotoFormats::shownFormats()
{
    static const QList<QByteArray> shown = [] {
        QList<QByteArray> formats = readableFormats();
        const QList<QByteArray> supported = QImageReader::supportedImageFormats();
        for (const QByteArray& plain : {QByteArray("gif"), QByteArray("bmp"), QByteArray("ico"), QByteArray("svg")}) {
            if (supported.contains(plain))
                formats.append(plain);
        }
        for (const QByteArray& format : supported) {
            if (!formats.contains(format))
                formats.append(format);
        }
        return formats;
    }();
    return shown;
}

QByteArray PhotoFormats::shownFormatOf(const QString& path)
{
    return detect(path, shownFormats());
}

QByteArray PhotoFormats::prepareShowReader(QImageReader& reader, const QString& path)
{
    return prepare(reader, path, shownFormatOf(path));
}

bool PhotoFormats::isUploadFormat(const QByteArray& format)
{
    return format == "jpeg" || format == "png";
}

QString PhotoFormats::dialogFilter()
{
    QStringList patterns;
    const QList<QByteArray> readable = readableFormats();
    for (const Format& format : photoFormats()) {
        if (!readable.contains(format.name))
            continue;
        for (const QString& suffix : format.suffixes)
            patterns << QStringLiteral("*.") + suffix << QStringLiteral("*.") + suffix.toUpper();
    }
    return QStringLiteral("Image Files(%1)").arg(patterns.join(QLatin1Char(' ')));
}

QString PhotoFormats::uploadProblem(const QString& path, qint64 limit)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return QStringLiteral("无法读取");
    QImageReader reader;
    if (!isUploadFormat(prepareReader(reader, path)))
        return QStringLiteral("格式不支持");
    if (!reader.size().isValid())
        return QStringLiteral("无法读取");
    if (limit > 0 && info.size() > limit)
        return QStringLiteral("无法压缩到%1KB以内").arg(limit / 1024);
    return QString();
}
