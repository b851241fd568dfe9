#ifndef PHOTOFORMATS_H
#define PHOTOFORMATS_H

#include <QString>

// Which pictures the editors offer and which compression results may go to the service.
class PhotoFormats
{
public:
    // The filter of the editors' file dialogs ("Image Files(*.jpg *.png *.jpeg ...)").
    static QString dialogFilter();
    // Why the file at `path` cannot be uploaded under `limit` bytes, in words that follow
    // "第N张图片" ("格式不支持", "无法压缩到200KB以内"); empty when it can.
    static QString uploadProblem(const QString& path, qint64 limit);

private:
    PhotoFormats() = delete;
};

#endif // PHOTOFORMATS_H
