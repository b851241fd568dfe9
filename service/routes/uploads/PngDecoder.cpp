#include "routes/uploads/PngDecoder.h"

#include <png.h>

#include <cstring>

namespace {

// The IHDR chunk follows the 8-byte signature: length and type (8 bytes), width, height, then
// the bit depth at offset 24.
const int kBitDepthOffset = 24;

} // namespace

bool PngDecoder::isDeep(const QByteArray& data)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    return data.size() > kBitDepthOffset && std::memcmp(data.constData(), signature, 8) == 0
        && std::memcmp(data.constData() + 12, "IHDR", 4) == 0 && static_cast<quint8>(data.at(kBitDepthOffset)) == 16;
}

QImage PngDecoder::decode(const QByteArray& data, qint64 maxPixels)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data.constData(), static_cast<size_t>(data.size())))
        return QImage();
    if (png.width == 0 || png.height == 0 || static_cast<qint64>(png.width) * png.height > maxPixels) {
        png_image_free(&png);
        return QImage();
    }
    // B, G, R, A in memory: QImage's ARGB32 on a little-endian machine, A, R, G, B otherwise.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
    if (image.isNull()) {
        png_image_free(&png);
        return QImage();
    }
    if (!png_image_finish_read(&png, nullptr, image.bits(), image.bytesPerLine(), nullptr)) {
        png_image_free(&png);
        return QImage();
    }
    // In place: the picture is not held twice.
    return std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
