#include "net/pictures/PictureDownloader.h"

#include "net/pictures/PictureFiles.h"
#include "net/platform/AppFolders.h"
#include "net/platform/CacheHousekeeping.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

const char* const kAddressProperty = "kqPictureAddress";
const char* const kStoredProperty = "kqPictureStored";
const int kTransferTimeoutMs = 30000;

bool looksLikePicture(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.canRead() && reader.size().isValid();
}

// The picture a finished reply carries, or nothing for a failure, an error status or a page
// that is not a picture (such a page would stay in the cache for good and never show).
QByteArray pictureOf(QNetworkReply* reply)
{
    if (reply->error() != QNetworkReply::NoError)
        return {};
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300))
        return {};
    const QByteArray bytes = reply->readAll();
    return looksLikePicture(bytes) ? bytes : QByteArray();
}

} // namespace

PictureDownloader* PictureDownloader::shared()
{
    static QPointer<PictureDownloader> instance;
    if (!instance)
        instance = new PictureDownloader(QCoreApplication::instance());
    return instance;
}

PictureDownloader::PictureDownloader(QObject* parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    connect(m_network, &QNetworkAccessManager::finished, this, &PictureDownloader::dealReply);
    // The first picture of a run: what earlier runs left in the caches goes now.
    CacheHousekeeping::startOnce();
}

void PictureDownloader::fetch(const QString& address, const QString& cacheFile, QObject* context,
                              std::function<void(QNetworkReply*)> done)
{
    const bool inFlight = m_downloads.contains(address);
    Download& download = m_downloads[address];
    if (!download.cacheFiles.contains(cacheFile))
        download.cacheFiles.append(cacheFile);
    download.waiters.append({context, std::move(done)});
    if (inFlight)
        return;

    QNetworkRequest request{QUrl(address)};
    request.setTransferTimeout(kTransferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // Certificate errors are not ignored: such a download fails like any other.
    QNetworkReply* reply = m_network->get(request);
    reply->setProperty(kAddressProperty, address);
}

bool PictureDownloader::stored(const QNetworkReply* reply, const QString& cacheFile)
{
    return reply->property(kStoredProperty).toStringList().contains(cacheFile);
}

void PictureDownloader::dealReply(QNetworkReply* reply)
{
    reply->deleteLater();
    const QString address = reply->property(kAddressProperty).toString();
    // Taken out first: a waiter that asks again starts a download of its own.
    const Download download = m_downloads.take(address);

    const QByteArray bytes = pictureOf(reply);
    QStringList stored;
    if (!bytes.isEmpty()) {
        for (const QString& file : download.cacheFiles) {
            QDir().mkpath(QFileInfo(file).absolutePath());
            if (PictureFiles::writeAtomically(file, bytes))
                stored.append(file);
        }
    }
    reply->setProperty(kStoredProperty, stored);
    const QString pictureCache = QFileInfo(AppFolders::imageCacheFolder()).absoluteFilePath();
    for (const QString& file : qAsConst(stored)) {
        if (QFileInfo(file).absolutePath() == pictureCache)
            CacheHousekeeping::noteCached(bytes.size());
    }

    for (const Waiter& waiter : download.waiters) {
        if (waiter.context)
            waiter.done(reply);
    }
    emit finished(address);
}
