#ifndef PHOTOSUPLOADOBJECT_H
#define PHOTOSUPLOADOBJECT_H

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariant>

// Sends a batch of photos to the service's file endpoint, all at once, and hands the batch back in
// the order given with the address the service gave each photo. Photos already on the service are
// not sent again. One object serves one batch; its request objects go as soon as they have answered.
class PhotosUploadObject : public QObject
{
    Q_OBJECT
public:
    struct PhotosModel
    {
        int index = 0;
        QString name;
        QString path;
        QString url;
        bool flag1 = false;
        bool flag2 = false;
        bool flag3 = false;
    };

    explicit PhotosUploadObject(QObject* parent = nullptr);

    // Connect the signals first: a batch without local photos (or whose files are all missing)
    // finishes inside this call.
    void upload(const QString& uploadUrl, QList<PhotosUploadObject::PhotosModel> photos,
                QMap<QString, QVariant> fields);

    // Whether the photo is already on the service, so it needs no upload: an address or an empty path.
    static bool isOnService(const QString& path);
    // Positions in the batch of photos that have no address after the batch (a failed upload or an
    // empty path), in order.
    static QList<int> missingAddresses(const QList<PhotosUploadObject::PhotosModel>& photos);

    // Why the photo at this position of the batch failed to go up ("服务器错误", "文件打开失败！" ...);
    // empty when it did not fail.
    QString failureReason(int position) const { return m_failureReasons.value(position); }

    QList<PhotosUploadObject::PhotosModel> photos() const { return m_photos; }
    int finishedCount() const { return m_finishedCount; }

signals:
    void photosUpFinish(QList<PhotosUploadObject::PhotosModel> list);
    void singlePhotoUpFinish(PhotosUploadObject::PhotosModel photo);
    // Photos of the batch finished (uploaded, failed or skipped) out of all of them.
    void photosProgress(int finished, int total);
    // Bytes sent of the local photos' uploads, summed over the batch.
    void bytesProgress(qint64 sent, qint64 total);

private:
    void uploadSucceeded(int position, const QString& address);
    void countFinished();
    void sendOne(int position, const QString& uploadUrl, const QMap<QString, QVariant>& fields);
    void reportBytes();

    int m_finishedCount = 0;
    QList<PhotosModel> m_photos;
    QMap<int, QPair<qint64, qint64>> m_bytes;
    QMap<int, QString> m_failureReasons;
};

Q_DECLARE_METATYPE(PhotosUploadObject::PhotosModel)

#endif // PHOTOSUPLOADOBJECT_H
