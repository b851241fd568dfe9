#ifndef APPFOLDERS_H
#define APPFOLDERS_H

#include <QString>

// Decides where the module keeps its files: the image cache, the temporary folder of compressed
// photos and the photo folder live under the application's folder when it is writable, and under
// the user's cache location otherwise. Every path of that kind is built here and nowhere else.
// Safe to call from any thread.
class AppFolders
{
public:
    // The folder the sub-folders hang off: `candidate` when it is a writable folder, otherwise the
    // user's cache location.
    static QString chooseBase(const QString& candidate);

    // chooseBase() of the application's folder (or of the test override).
    static QString baseFolder();
    static QString imageCacheFolder();   // base + "/cache/img"
    static QString temporaryFolder();    // base + "/cache/temporary"
    static QString photoFolder();        // base + "/photo"

    // The folder of an image label's cache mode: 0 image cache, 1 temporary, 2 photo, 3 the base
    // folder itself; an empty string for any other mode.
    static QString folderForMode(int mode);

    // Tests point the application's folder elsewhere; an empty string restores the real one.
    static void setApplicationFolderOverride(const QString& folder);

private:
    AppFolders() = delete;
};

#endif // APPFOLDERS_H
