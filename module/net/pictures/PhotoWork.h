#ifndef PHOTOWORK_H
#define PHOTOWORK_H

#include "net/pictures/PhotosUploadObject.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

// The editors' picture work in one place: compression runs of the picked files, counted, and the
// upload of the photos a form sends, with the stage for the wait indicator ("压缩中 2/6",
// "上传中 3/6") and failures named by photo, so that an editor never saves a photo without an
// address and keeps its form when one fails.
class PhotoWork : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 DefaultLimit = 204800;

    explicit PhotoWork(QObject* parent = nullptr);

    // Starts one compression run per file. With `replace`, results of earlier runs that are still
    // going are dropped when they arrive: the newest pick wins.
    void compress(const QStringList& files, qint64 limit = DefaultLimit, double factor = 1.0, bool replace = false);
    int runsInFlight() const { return m_running; }
    // The picked file a compression result was made from (itself when it was taken as it is).
    QString sourceOf(const QString& result) const { return m_sources.value(result); }
    bool isCompressing() const { return m_running > 0; }

    // Uploads the photos (local files and addresses already on the service) in the given order;
    // a compression result is removed once it is uploaded.
    // Local files are checked first; uploaded() brings every photo with its address, uploadFailed()
    // names the first photo at fault: by `names` where given ("应用图标"), else numbered from 1.
    void upload(const QString& uploadUrl, const QStringList& paths, const QMap<QString, QVariant>& fields,
                qint64 limit = DefaultLimit, const QStringList& names = QStringList());
    bool isUploading() const { return !m_upload.isNull(); }

    // "第%1张图片%2"; a single icon (position -1) is "图片%2".
    static QString photoMessage(int position, const QString& problem);

signals:
    void compressed(const QString& path);
    // No compression run is going any more.
    void compressionDone();
    void stageChanged(const QString& text);
    void uploaded(const QList<PhotosUploadObject::PhotosModel>& photos);
    void uploadFailed(const QString& message);

private:
    void compressionFinished(const QString& path, const QVariant& value);
    void uploadFinished(const QList<PhotosUploadObject::PhotosModel>& photos);
    QString messageFor(int position, int count, const QString& problem) const;

    int m_running = 0;
    int m_started = 0;
    int m_done = 0;
    int m_generation = 0;
    QPointer<PhotosUploadObject> m_upload;
    QStringList m_names;
    QMap<QString, QString> m_sources;
    // Compression results already uploaded (and removed), with their addresses.
    QMap<QString, QString> m_uploadedResults;
};

#endif // PHOTOWORK_H
