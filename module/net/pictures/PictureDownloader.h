#ifndef PICTUREDOWNLOADER_H
#define PICTUREDOWNLOADER_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches pictures into the file cache for every image label of the process through one network
// access manager. An address already being fetched is not asked for again: every label that wants
// it waits for the same download, so a page full of one thumbnail costs one transfer.
class PictureDownloader : public QObject
{
    Q_OBJECT
public:
    static PictureDownloader* shared();

    // Fetches `address` and stores a picture it answers with in `cacheFile` (atomically; an error
    // page or a broken transfer is never stored). `done` runs once the download has ended, whatever
    // its outcome, unless `context` is gone by then; the reply is valid only during the call.
    void fetch(const QString& address, const QString& cacheFile, QObject* context,
               std::function<void(QNetworkReply*)> done);

    // Whether the download behind `reply` stored its picture in `cacheFile`.
    static bool stored(const QNetworkReply* reply, const QString& cacheFile);
    int downloadsInFlight() const { return m_downloads.size(); }

signals:
    // A download has ended and its waiters have been told.
    void finished(const QString& address);

private:
    explicit PictureDownloader(QObject* parent);
    void dealReply(QNetworkReply* reply);

    struct Waiter
    {
        QPointer<QObject> context;
        std::function<void(QNetworkReply*)> done;
    };
    struct Download
    {
        QStringList cacheFiles;
        QList<Waiter> waiters;
    };

    QNetworkAccessManager* m_network;
    QHash<QString, Download> m_downloads;
};

#endif // PICTUREDOWNLOADER_H
