#ifndef JPEGCODEC_H
#define JPEGCODEC_H

#include <QByteArray>
#include <QColorSpace>
#include <QImage>
#include <QSize>

// JPEG through libjpeg-turbo's own interface, for the photo compression: a decode reduced by
// the codec itself (1/2, 1/4, 1/8) straight into a 32-bit image, and encodes of one picture at
// several qualities from its pixels as they lie, without Qt's per-row conversions. One object
// serves one thread.
class JpegCodec
{
public:
    JpegCodec();
    ~JpegCodec();
    JpegCodec(const JpegCodec&) = delete;
    JpegCodec& operator=(const JpegCodec&) = delete;

    // The picture at the strongest reduction whose size still covers `needed` (at the stored
    // orientation), as RGB32. A null image when libjpeg-turbo cannot decode it (CMYK, say); a
    // picture whose data breaks off comes back with what could be decoded, as Qt's reader does.
    QImage decode(const QByteArray& jpeg, const QSize& needed);
    // Baseline JPEG, 4:2:0, at `quality` (1..100); empty when encoding fails.
    QByteArray encode(const QImage& image, int quality);

    // The colour profile in the JPEG's ICC_PROFILE segments; invalid when there is none or Qt
    // cannot use it.
    static QColorSpace colorSpace(const QByteArray& jpeg);
    // That reduction in eighths of `stored`: 1, 2, 4, or 8 for the whole picture.
    static int eighths(const QSize& stored, const QSize& needed);

private:
    void* decoder = nullptr;
    void* encoder = nullptr;
};

#endif // JPEGCODEC_H
