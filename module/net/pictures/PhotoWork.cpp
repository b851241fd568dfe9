#include "net/pictures/PhotoWork.h"

#include "net/pictures/PhotoCompression.h"
#include "net/pictures/PhotoFormats.h"
#include "net/platform/CacheHousekeeping.h"

#include <QFile>

PhotoWork::PhotoWork(QObject* parent)
    : QObject(parent)
{
    CacheHousekeeping::startOnce();
}

QString PhotoWork::photoMessage(int position, const QString& problem)
{
    if (position < 0)
        return QStringLiteral("图片") + problem;
    return QStringLiteral("第%1张图片%2").arg(position + 1).arg(problem);
}

void PhotoWork::compress(const QStringList& files, qint64 limit, double factor, bool replace)
{
    if (files.isEmpty())
        return;
    if (replace)
        ++m_generation;
    if (m_running == 0) {
        m_started = 0;
        m_done = 0;
    }
    for (const QString& file : files) {
        ++m_running;
        ++m_started;
        PhotoCompression::start(file, QVariantList{m_generation, file}, limit, QString(), factor, this,
                                &PhotoWork::compressionFinished);
    }
    emit stageChanged(QStringLiteral("压缩中 %1/%2").arg(m_done).arg(m_started));
}

void PhotoWork::compressionFinished(const QString& path, const QVariant& value)
{
    m_running = qMax(0, m_running - 1);
    ++m_done;
    if (m_running > 0)
        emit stageChanged(QStringLiteral("压缩中 %1/%2").arg(m_done).arg(m_started));
    const QVariantList run = value.toList();
    if (!path.isEmpty())
        m_sources.insert(path, run.value(1).toString());
    if (run.value(0).toInt() == m_generation)
        emit compressed(path);
    if (m_running == 0)
        emit compressionDone();
}

QString PhotoWork::messageFor(int position, int count, const QString& problem) const
{
    if (position >= 0 && position < m_names.size() && !m_names.at(position).isEmpty())
        return m_names.at(position) + problem;
    return photoMessage(count == 1 ? -1 : position, problem);
}

void PhotoWork::upload(const QString& uploadUrl, const QStringList& paths, const QMap<QString, QVariant>& fields,
                       qint64 limit, const QStringList& names)
{
    m_names = names;
    QList<PhotosUploadObject::PhotosModel> photos;
    for (int i = 0; i < paths.size(); ++i) {
        // A compression result that went up before (a save the service refused, tried again) was
        // removed then: its address stands for it.
        const QString& path = m_uploadedResults.value(paths.at(i), paths.at(i));
        if (path.isEmpty()) {
            emit uploadFailed(messageFor(i, paths.size(), QStringLiteral("没有地址，请重新选择！")));
            return;
        }
        if (!PhotosUploadObject::isOnService(path)) {
            const QString problem = PhotoFormats::uploadProblem(path, limit);
            if (!problem.isEmpty()) {
                emit uploadFailed(messageFor(i, paths.size(), problem));
                return;
            }
        }
        PhotosUploadObject::PhotosModel photo;
        photo.index = i;
        photo.path = path;
        photos.append(photo);
    }
    if (m_upload)
        m_upload->deleteLater();
    auto* upload = new PhotosUploadObject(this);
    m_upload = upload;
    connect(upload, &PhotosUploadObject::photosProgress, this, [this](int finished, int total) {
        emit stageChanged(QStringLiteral("上传中 %1/%2").arg(finished).arg(total));
    });
    connect(upload, &PhotosUploadObject::photosUpFinish, this, &PhotoWork::uploadFinished);
    emit stageChanged(QStringLiteral("上传中 0/%1").arg(photos.size()));
    upload->upload(uploadUrl, photos, fields);
}

void PhotoWork::uploadFinished(const QList<PhotosUploadObject::PhotosModel>& photos)
{
    const QList<int> missing = PhotosUploadObject::missingAddresses(photos);
    QString reason;
    if (m_upload) {
        if (!missing.isEmpty())
            reason = m_upload->failureReason(missing.first());
        m_upload->deleteLater();
        m_upload = nullptr;
    }
    // The service keeps its own copy: our compression results are of no further use.
    for (const PhotosUploadObject::PhotosModel& photo : photos) {
        if (!photo.url.isEmpty() && CacheHousekeeping::isTemporaryFile(photo.path)) {
            m_uploadedResults.insert(photo.path, photo.url);
            QFile::remove(photo.path);
        }
    }
    if (!missing.isEmpty()) {
        const QString problem = reason.isEmpty() ? QStringLiteral("上传失败，请重试！") : QStringLiteral("上传失败：") + reason;
        emit uploadFailed(messageFor(missing.first(), photos.size(), problem));
        return;
    }
    emit uploaded(photos);
}
