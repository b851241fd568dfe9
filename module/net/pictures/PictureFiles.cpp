#include "net/pictures/PictureFiles.h"

#include <QSaveFile>

namespace PictureFiles {

bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace PictureFiles
