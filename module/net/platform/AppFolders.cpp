#include "net/platform/AppFolders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

namespace {

QMutex& overrideMutex()
{
    static QMutex mutex;
    return mutex;
}

QString& applicationFolderOverride()
{
    static QString folder;
    return folder;
}

} // namespace

QString AppFolders::chooseBase(const QString& candidate)
{
    const QFileInfo info(candidate);
    if (!candidate.isEmpty() && info.isDir() && info.isWritable())
        return info.absoluteFilePath();
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

QString AppFolders::baseFolder()
{
    QString candidate;
    {
        QMutexLocker locker(&overrideMutex());
        candidate = applicationFolderOverride();
    }
    if (candidate.isEmpty())
        candidate = QCoreApplication::applicationDirPath();
    return chooseBase(candidate);
}

QString AppFolders::imageCacheFolder()
{
    return baseFolder() + QStringLiteral("/cache/img");
}

QString AppFolders::temporaryFolder()
{
    return baseFolder() + QStringLiteral("/cache/temporary");
}

QString AppFolders::photoFolder()
{
    return baseFolder() + QStringLiteral("/photo");
}

QString AppFolders::folderForMode(int mode)
{
    switch (mode) {
    case 0:
        return imageCacheFolder();
    case 1:
        return temporaryFolder();
    case 2:
        return photoFolder();
    case 3:
        return baseFolder();
    default:
        return QString();
    }
}

void AppFolders::setApplicationFolderOverride(const QString& folder)
{
    QMutexLocker locker(&overrideMutex());
    applicationFolderOverride() = folder;
}
