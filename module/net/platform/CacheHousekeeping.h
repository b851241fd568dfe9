#ifndef CACHEHOUSEKEEPING_H
#define CACHEHOUSEKEEPING_H

#include <QDateTime>
#include <QString>

// Keeps the module's file caches bounded. Compression results in the temporary folder go once
// they are uploaded, and those an earlier run left behind go when the module next starts; the
// picture cache is kept under a size, the files written longest ago going first. The work on the
// folders runs on a pool thread, so no page waits for it. Safe to call from any thread.
class CacheHousekeeping
{
public:
    // The picture cache's size; once over it, a trim leaves three quarters of it.
    static constexpr qint64 DefaultPictureCacheLimit = 200 * 1024 * 1024;
    // A compression result older than this was left by an earlier run (an upload takes far less),
    // and not by another window of the application working at the same time.
    static constexpr int LeftoverAgeSecs = 3600;

    // Once per process: removes the temporary folder's leftovers and trims the picture cache.
    static void startOnce();
    // `bytes` were written to the picture cache: trims it once it is over its size.
    static void noteCached(qint64 bytes);
    // Whether `path` is a file of the temporary folder (a compression result of ours, never a file
    // the user picked), which may go once uploaded.
    static bool isTemporaryFile(const QString& path);

    // Tests set a smaller picture cache; 0 restores the default.
    static void setPictureCacheLimit(qint64 bytes);
    static qint64 pictureCacheLimit();

    // The pieces, run where they are called: removes the files of `folder` last written before
    // `before` and returns how many went; and, when the files of `folder` take more than `limit`
    // bytes, removes the oldest until they take at most `target`, returning the bytes left.
    static int removeOlderThan(const QString& folder, const QDateTime& before);
    static qint64 trim(const QString& folder, qint64 limit, qint64 target);

private:
    CacheHousekeeping() = delete;
    static void trimInBackground();
};

#endif // CACHEHOUSEKEEPING_H
