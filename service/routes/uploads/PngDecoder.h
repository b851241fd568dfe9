#ifndef PNGDECODER_H
#define PNGDECODER_H

#include <QByteArray>
#include <QImage>

// Decodes a PNG through libpng at 8 bits per channel, straight into the picture's own pixels.
// Qt's reader keeps a 16-bit PNG at 16 bits (8 bytes a pixel) and scales it at that depth, so a
// small file of a 4K screen would cost far more memory than the picture the service keeps.
class PngDecoder
{
public:
    // The picture as ARGB32 premultiplied, or a null image when the bytes are no PNG or are
    // damaged. maxPixels bounds what is allocated.
    static QImage decode(const QByteArray& data, qint64 maxPixels);
    // Whether a PNG's samples are 16 bits wide, read from its header alone.
    static bool isDeep(const QByteArray& data);

private:
    PngDecoder() = delete;
};

#endif // PNGDECODER_H
