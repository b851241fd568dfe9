#ifndef JPEGCODEC_H
#define JPEGCODEC_H

#include <QByteArray>
#include <QColorSpace>
#include <QImage>
#include <QSize>

#include <functional>

// JPEG through libjpeg-turbo's own interface, for the photo compression: a decode reduced by
// the codec itself (1/2, 1/4, 1/8) that hands over each line as it comes, so that scaling can
// go on meanwhile and no whole picture is kept; and encodes of one picture at several qualities
// from its pixels as they lie, without Qt's per-row conversions.
class JpegCodec
{
public:
    // The reduction, in eighths (1, 2, 4, or 8 for none), of the strongest halving whose size
    // still covers `needed` (at the stored orientation), and that size. 0 when the JPEG's header
    // cannot be read or its colours are CMYK, which is left to Qt's reader.
    static int eighths(const QByteArray& jpeg, const QSize& needed, QSize* reduced);
    // Decodes at `eighths` line by line into RGB32 lines of the `reduced` size that eighths()
    // gave: `lineFor(y)` gives the memory for line y (4 bytes a pixel), and `lineDone(y)` says it
    // is filled. A picture whose data breaks off is completed as Qt's reader completes it. False
    // when the JPEG cannot be decoded.
    static bool decodeLines(const QByteArray& jpeg, int eighths, const QSize& reduced,
                            const std::function<uchar*(int)>& lineFor, const std::function<void(int)>& lineDone);
    // Baseline JPEG at `quality` (1..100): colour at half resolution (4:2:0) below 90, at full
    // resolution from 90 on, where that gives more for its bytes. Empty when encoding fails.
    static QByteArray encode(const QImage& image, int quality);

    // The colour profile in the JPEG's ICC_PROFILE segments; invalid when there is none or Qt
    // cannot use it.
    static QColorSpace colorSpace(const QByteArray& jpeg);

private:
    JpegCodec() = delete;
};

#endif // JPEGCODEC_H
