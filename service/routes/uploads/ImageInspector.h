#ifndef IMAGEINSPECTOR_H
#define IMAGEINSPECTOR_H

#include <QByteArray>
#include <QSize>
#include <QString>

// Decides whether uploaded bytes are a picture the service keeps (PNG, JPEG, GIF, BMP, WebP: what
// the site's pages show), judged by their content and decoded by that format's reader alone, never
// by the name or type the client gave, and makes the copy the service stores: decoded at most
// kMaxSide pixels a side, turned upright by its EXIF orientation and written anew, so no
// metadata (a camera's GPS position, say) and nothing but the picture reaches the public site.
// Decoding has a memory budget: the pixels are counted before anything is decoded, and only
// kDecodeSlots pictures are decoded at once.
class ImageInspector
{
public:
    struct Result
    {
        bool ok = false;
        // Not ok because too many pictures were being decoded to wait for a turn: the service is
        // busy, the picture may be fine.
        bool busy = false;
        // The user's message when not ok.
        QString error;
        // "jpg" for photos (JPEG, WebP), "png" for pictures with transparency or from lossless
        // formats.
        QString extension;
        // The stored picture's size and bytes.
        QSize size;
        QByteArray encoded;
    };

    // Safe to call without the database lock.
    static Result inspect(const QByteArray& data);
    // Content type for a stored file's extension; empty for extensions the service never writes.
    static QByteArray contentTypeForExtension(const QString& extension);

    static constexpr qint64 kMaxBytes = 10 * 1024 * 1024;
    // JPEG is decoded at a reduced scale, so camera sizes cost little.
    static constexpr qint64 kMaxJpegPixels = 50 * 1000 * 1000;
    // Other formats are decoded whole first: up to a 4K screen.
    static constexpr qint64 kMaxPixels = 3840 * 2160;
    static constexpr int kMaxSide = 2560;
    // What the decoded pixels of one picture may take, at the bytes a pixel that its decoder
    // gives (deep PNGs are decoded at 8 bits a channel): a 4K screen at 4 bytes a pixel.
    static constexpr qint64 kMaxDecodeBytes = 3840LL * 2160 * 4;
    // Pictures decoded at once, and how long another waits for a turn before it is turned away.
    static constexpr int kDecodeSlots = 2;
    static constexpr int kDecodeWaitMs = 5000;

private:
    ImageInspector() = delete;
};

#endif // IMAGEINSPECTOR_H
