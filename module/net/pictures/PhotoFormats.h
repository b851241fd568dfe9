#ifndef PHOTOFORMATS_H
#define PHOTOFORMATS_H

#include <QByteArray>
#include <QList>
#include <QString>

class QImageReader;

// The formats photos are read in: JPEG and PNG, and what phones and scanners save (HEIF/HEIC,
// AVIF, WebP, TIFF) where the running Qt has a plugin for them. A file's format is told by its
// content, and only the reader of that format ever decodes it: no other plugin is asked (a RAW
// plugin, say, makes a picture of any bytes). What goes to the service is JPEG or PNG.
// Pictures that are only shown (an advert, a logo, an icon from the service) may be in any format
// the running Qt reads, told by content the same way.
class PhotoFormats
{
public:
    // The formats above that the running Qt can read, as Qt names them ("jpeg", "png", "heif",
    // "avif", "webp", "tiff").
    static QList<QByteArray> readableFormats();
    // Which of them the file's content is; empty for a missing file or any other content.
    static QByteArray formatOf(const QString& path);
    // Points `reader` at `path` in the format its content shows and in no other, and returns
    // that format; returns an empty one, leaving the reader with nothing to read, for a file of
    // none of them.
    static QByteArray prepareReader(QImageReader& reader, const QString& path);
    // Every format the running Qt reads: the photo formats first, then those that mark their
    // content most plainly (GIF, BMP, ICO, SVG), then the rest.
    static QList<QByteArray> shownFormats();
    // Which of them the file's content is; empty for a missing file or any other content.
    static QByteArray shownFormatOf(const QString& path);
    // prepareReader() for a picture that is only shown: any of shownFormats().
    static QByteArray prepareShowReader(QImageReader& reader, const QString& path);

    // JPEG and PNG, the formats the service is sent.
    static bool isUploadFormat(const QByteArray& format);

    // The filter of the editors' file dialogs ("Image Files(*.jpg *.JPG *.jpeg ...)"): the
    // readable formats' suffixes, in both cases since phones write them in capitals.
    static QString dialogFilter();
    // Why the file at `path` cannot be uploaded under `limit` bytes, in words that follow
    // "第N张图片" ("无法读取", "格式不支持", "无法压缩到200KB以内"); empty when it can.
    static QString uploadProblem(const QString& path, qint64 limit);

private:
    PhotoFormats() = delete;
};

#endif // PHOTOFORMATS_H
