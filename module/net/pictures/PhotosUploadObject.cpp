#include "net/pictures/PhotosUploadObject.h"

#include "net/http/NetRequestObjecet.h"
#include "net/http/ServiceAddresses.h"

#include <QPointer>

PhotosUploadObject::PhotosUploadObject(QObject* parent)
    : QObject(parent)
{
}

bool PhotosUploadObject::isOnService(const QString& path)
{
    return path.isEmpty() || path.contains(QLatin1String("http://")) || path.contains(QLatin1String("https://"))
        || ServiceAddresses::containsFileHost(path);
}

QList<int> PhotosUploadObject::missingAddresses(const QList<PhotosModel>& photos)
{
    QList<int> missing;
    for (int i = 0; i < photos.size(); ++i) {
        if (photos.at(i).url.isEmpty())
            missing.append(i);
    }
    return missing;
}

void PhotosUploadObject::upload(const QString& uploadUrl, QList<PhotosModel> photos, QMap<QString, QVariant> fields)
{
    m_finishedCount = 0;
    m_photos = photos;
    m_bytes.clear();
    m_failureReasons.clear();
    if (m_photos.isEmpty()) {
        emit photosProgress(0, 0);
        emit photosUpFinish(m_photos);
        return;
    }
    // A missing file fails inside uploadFile and may end the batch, whose handlers may delete
    // this object: stop the loop then.
    QPointer<PhotosUploadObject> alive(this);
    const int total = m_photos.size();
    for (int i = 0; i < total && alive; ++i) {
        PhotosModel& photo = m_photos[i];
        if (isOnService(photo.path)) {
            photo.url = photo.path;
            countFinished();
        } else {
            sendOne(i, uploadUrl, fields);
        }
    }
}

void PhotosUploadObject::sendOne(int position, const QString& uploadUrl, const QMap<QString, QVariant>& fields)
{
    auto* request = new NetRequestObjecet(this);
    // The batch's owner names the failed photo with the reason, in one alert.
    request->disableUploadAlert();
    connect(request, &NetRequestObjecet::loadFail, this,
            [this, request, position]() { m_failureReasons.insert(position, request->failureReason()); });
    connect(request, &NetRequestObjecet::fileUploadSuccess, this,
            [this, position](const QString& address) { uploadSucceeded(position, address); });
    connect(request, &NetRequestObjecet::fileUploadProgress, this, [this, position](qint64 sent, qint64 total) {
        m_bytes.insert(position, qMakePair(sent, total));
        reportBytes();
    });
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        request->deleteLater();
        countFinished();
    });
    request->uploadFile(uploadUrl, m_photos.at(position).path, fields, QStringLiteral("file"));
}

void PhotosUploadObject::uploadSucceeded(int position, const QString& address)
{
    if (address.isEmpty() || position < 0 || position >= m_photos.size())
        return;
    // An address that already names its scheme keeps it, "https://" too.
    const bool hasScheme = address.contains(QLatin1String("http://")) || address.contains(QLatin1String("https://"));
    m_photos[position].url = hasScheme ? address : QStringLiteral("http://") + address;
}

void PhotosUploadObject::reportBytes()
{
    qint64 sent = 0;
    qint64 total = 0;
    for (const auto& pair : qAsConst(m_bytes)) {
        sent += pair.first;
        total += qMax<qint64>(pair.second, 0);
    }
    emit bytesProgress(sent, total);
}

void PhotosUploadObject::countFinished()
{
    ++m_finishedCount;
    const int total = m_photos.size();
    emit photosProgress(m_finishedCount, total);
    if (m_finishedCount != total)
        return;
    m_finishedCount = 0;
    const QList<PhotosModel> finished = m_photos;
    QPointer<PhotosUploadObject> alive(this);
    emit photosUpFinish(finished);
    if (alive && finished.size() == 1)
        emit singlePhotoUpFinish(finished.first());
}
