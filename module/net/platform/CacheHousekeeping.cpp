#include "net/platform/CacheHousekeeping.h"

#include "net/platform/AppFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QRunnable>
#include <QThreadPool>

#include <algorithm>

namespace {

struct State
{
    QMutex mutex;
    bool started = false;
    bool trimRunning = false;
    qint64 limit = 0;
    // What the picture cache holds as far as we know: measured by each trim, then counted up.
    qint64 cachedBytes = 0;
};

State& state()
{
    static State instance;
    return instance;
}

// Under the state's mutex.
qint64 limitOf(const State& current)
{
    return current.limit > 0 ? current.limit : CacheHousekeeping::DefaultPictureCacheLimit;
}

QFileInfoList filesOf(const QString& folder)
{
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

void CacheHousekeeping::startOnce()
{
    {
        QMutexLocker locker(&state().mutex);
        if (state().started)
            return;
        state().started = true;
        state().trimRunning = true;
    }
    QThreadPool::globalInstance()->start(QRunnable::create([]() {
        removeOlderThan(AppFolders::temporaryFolder(), QDateTime::currentDateTime().addSecs(-LeftoverAgeSecs));
        trimInBackground();
    }));
}

void CacheHousekeeping::trimInBackground()
{
    const qint64 limit = pictureCacheLimit();
    const qint64 left = trim(AppFolders::imageCacheFolder(), limit, limit / 4 * 3);
    QMutexLocker locker(&state().mutex);
    state().cachedBytes = left;
    state().trimRunning = false;
}

void CacheHousekeeping::noteCached(qint64 bytes)
{
    startOnce();
    {
        QMutexLocker locker(&state().mutex);
        state().cachedBytes += bytes;
        if (state().trimRunning || state().cachedBytes <= limitOf(state()))
            return;
        state().trimRunning = true;
    }
    QThreadPool::globalInstance()->start(QRunnable::create(&CacheHousekeeping::trimInBackground));
}

bool CacheHousekeeping::isTemporaryFile(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() && file.absolutePath() == QFileInfo(AppFolders::temporaryFolder()).absoluteFilePath();
}

void CacheHousekeeping::setPictureCacheLimit(qint64 bytes)
{
    QMutexLocker locker(&state().mutex);
    state().limit = bytes;
}

qint64 CacheHousekeeping::pictureCacheLimit()
{
    QMutexLocker locker(&state().mutex);
    return limitOf(state());
}

int CacheHousekeeping::removeOlderThan(const QString& folder, const QDateTime& before)
{
    int removed = 0;
    for (const QFileInfo& file : filesOf(folder)) {
        if (file.lastModified() < before && QFile::remove(file.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

qint64 CacheHousekeeping::trim(const QString& folder, qint64 limit, qint64 target)
{
    QFileInfoList files = filesOf(folder);
    qint64 total = 0;
    for (const QFileInfo& file : qAsConst(files))
        total += file.size();
    if (total <= limit)
        return total;
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime left = a.lastModified();
        const QDateTime right = b.lastModified();
        return left != right ? left < right : a.fileName() < b.fileName();
    });
    for (const QFileInfo& file : qAsConst(files)) {
        if (total <= target)
            break;
        if (QFile::remove(file.absoluteFilePath()))
            total -= file.size();
    }
    return total;
}
