#include "net/pictures/PhotoFormats.h"

#include <QFileInfo>
#include <QImageReader>

QString PhotoFormats::dialogFilter()
{
    return QStringLiteral("Image Files(*.jpg *.png *.jpeg)");
}

QString PhotoFormats::uploadProblem(const QString& path, qint64 limit)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return QStringLiteral("无法读取");
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "png")
        return QStringLiteral("格式不支持");
    if (limit > 0 && info.size() > limit)
        return QStringLiteral("无法压缩到%1KB以内").arg(limit / 1024);
    return QString();
}
