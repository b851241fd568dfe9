#ifndef IMAGEINSPECTOR_H
#define IMAGEINSPECTOR_H

#include <QByteArray>
#include <QSize>
#include <QString>

// Decides whether uploaded bytes are a picture the service keeps, judged by decoding them, never
// by the name or type the client gave.
class ImageInspector
{
public:
    struct Result
    {
        bool ok = false;
        // The user's message when not ok.
        QString error;
        // "png", "jpg", "gif", "bmp" or "webp", from the decoded format.
        QString extension;
        QSize size;
    };

    static Result inspect(const QByteArray& data);
    // Content type for a stored file's extension; empty for extensions the service never writes.
    static QByteArray contentTypeForExtension(const QString& extension);

    static constexpr qint64 kMaxBytes = 10 * 1024 * 1024;
    static constexpr qint64 kMaxPixels = 60 * 1000 * 1000;

private:
    ImageInspector() = delete;
};

#endif // IMAGEINSPECTOR_H
