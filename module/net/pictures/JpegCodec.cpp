#include "net/pictures/JpegCodec.h"

#include <QMap>

#include <turbojpeg.h>

namespace {

// The byte order of QImage::Format_RGB32 in memory.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
const int kOpaquePixels = TJPF_BGRA;
const int kPixels = TJPF_BGRX;
#else
const int kOpaquePixels = TJPF_ARGB;
const int kPixels = TJPF_XRGB;
#endif

const unsigned char* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

} // namespace

JpegCodec::JpegCodec() = default;

JpegCodec::~JpegCodec()
{
    if (decoder)
        tjDestroy(decoder);
    if (encoder)
        tjDestroy(encoder);
}

int JpegCodec::eighths(const QSize& stored, const QSize& needed)
{
    // Halvings only: libjpeg-turbo has fast reduced transforms for them, and 3/8 and the like are
    // smoother, which the resampling after cannot give back.
    for (int eighths : {1, 2, 4}) {
        const tjscalingfactor factor{eighths, 8};
        if (TJSCALED(stored.width(), factor) >= needed.width() && TJSCALED(stored.height(), factor) >= needed.height())
            return eighths;
    }
    return 8;
}

QImage JpegCodec::decode(const QByteArray& jpeg, const QSize& needed)
{
    if (!decoder)
        decoder = tjInitDecompress();
    if (!decoder || jpeg.isEmpty())
        return QImage();
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(decoder, bytesOf(jpeg), static_cast<unsigned long>(jpeg.size()), &width, &height,
                            &subsampling, &colorspace)
            != 0
        || colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
        return QImage();
    const tjscalingfactor factor{eighths(QSize(width, height), needed), 8};
    QImage image(TJSCALED(width, factor), TJSCALED(height, factor), QImage::Format_RGB32);
    if (image.isNull())
        return QImage();
    if (tjDecompress2(decoder, bytesOf(jpeg), static_cast<unsigned long>(jpeg.size()), image.bits(),
                      image.width(), int(image.bytesPerLine()), image.height(), kOpaquePixels, 0)
            != 0
        && tjGetErrorCode(decoder) != TJERR_WARNING)
        return QImage();
    return image;
}

QByteArray JpegCodec::encode(const QImage& image, int quality)
{
    if (image.isNull())
        return QByteArray();
    if (!encoder)
        encoder = tjInitCompress();
    if (!encoder)
        return QByteArray();
    // Transparent parts come out as a pixmap would render them: premultiplied, alpha dropped.
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied
        ? image
        : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    QByteArray bytes;
    // The accurate transform, as Qt's writer uses: the fast one costs quality at every size.
    if (tjCompress2(encoder, pixels.constBits(), pixels.width(), int(pixels.bytesPerLine()), pixels.height(),
                    kPixels, &buffer, &size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT)
        == 0)
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), int(size));
    tjFree(buffer);
    return bytes;
}

QColorSpace JpegCodec::colorSpace(const QByteArray& jpeg)
{
    // Segments up to the first scan: APP2 "ICC_PROFILE\0", then its sequence number and count.
    static const QByteArray tag("ICC_PROFILE", 12);
    QMap<int, QByteArray> chunks;
    int pos = 2;
    while (pos + 4 <= jpeg.size() && uchar(jpeg.at(pos)) == 0xff) {
        const uchar marker = uchar(jpeg.at(pos + 1));
        if (marker == 0xff) {
            ++pos;
            continue;
        }
        if (marker == 0xda || marker == 0xd9)
            break;
        const int length = (uchar(jpeg.at(pos + 2)) << 8) | uchar(jpeg.at(pos + 3));
        if (length < 2 || pos + 2 + length > jpeg.size())
            break;
        if (marker == 0xe2 && length >= 2 + tag.size() + 2 && jpeg.mid(pos + 4, tag.size()) == tag)
            chunks.insert(uchar(jpeg.at(pos + 4 + tag.size())), jpeg.mid(pos + 6 + tag.size(), length - 4 - tag.size()));
        pos += 2 + length;
    }
    if (chunks.isEmpty())
        return QColorSpace();
    QByteArray profile;
    for (const QByteArray& chunk : qAsConst(chunks))
        profile += chunk;
    return QColorSpace::fromIccProfile(profile);
}
