#include "routes/uploads/UploadRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/uploads/ImageInspector.h"
#include "sessions/SecureRandom.h"
#include "storage/core/ServiceDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

const QString kPending = QStringLiteral(".pending");

} // namespace

UploadRoutes::UploadRoutes(ServiceContext& context)
    : m_context(context)
{
}

void UploadRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("api/app/upphoto"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return upload(request); });
    router.addPrefix(QStringLiteral("files/"), ServiceRouter::Access::Public,
                     [this](const ServiceRequest& request) { return serveFile(request); });
}

ServiceReply UploadRoutes::upload(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const UploadedPart* file = request.part(QStringLiteral("file"));
    if (!file)
        in.fail(QStringLiteral("请选择要上传的图片"));
    else if (file->isFile && file->filename.trimmed().isEmpty())
        in.fail(QStringLiteral("上传的文件缺少文件名"));
    const qint64 type = in.integer(QStringLiteral("type"), QStringLiteral("图片类型"), 0, 1000);
    if (!in.ok())
        return Envelope::refused(in.message());

    const ImageInspector::Result image = ImageInspector::inspect(file->data);
    if (image.busy)
        return Envelope::unavailable();
    if (!image.ok)
        return Envelope::refused(image.error);

    // A fresh name: the client's file name never reaches the disk.
    const QString name = SecureRandom::hex(16) % QLatin1Char('.') % image.extension;
    const QString pending = m_context.filePath(name + kPending);
    QSaveFile out(pending);
    if (!out.open(QIODevice::WriteOnly) || out.write(image.encoded) != image.encoded.size() || !out.commit())
        return Envelope::internalError();
    ServiceDatabase& db = m_context.db();
    if (!db.execute(
            QStringLiteral("INSERT INTO uploads(name, company_id, user_id, type, format, size, created_at)"
                           " VALUES(?, ?, ?, ?, ?, ?, ?)"),
            {name, request.session.companyId, request.session.userId, type, image.extension,
             static_cast<qint64>(image.encoded.size()), QDateTime::currentSecsSinceEpoch()})) {
        QFile::remove(pending);
        return Envelope::internalError();
    }
    if (!QFile::rename(pending, m_context.filePath(name))) {
        db.execute(QStringLiteral("DELETE FROM uploads WHERE name = ?"), {name});
        QFile::remove(pending);
        return Envelope::internalError();
    }
    const QString url = m_context.fileUrl(name);
    return Envelope::make(Envelope::kSuccess, url,
                          QJsonObject{{QStringLiteral("url"), url},
                                      {QStringLiteral("name"), name},
                                      {QStringLiteral("width"), image.size.width()},
                                      {QStringLiteral("height"), image.size.height()}});
}

int UploadRoutes::sweepUnfinished()
{
    // Only what an upload leaves: "<name>.pending", and the save file's own temporary beside it.
    static const QRegularExpression unfinished(
        QStringLiteral("^([0-9a-f]{32}\\.[a-z]{3,4})\\.pending(\\.[A-Za-z0-9]+)?$"));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-kUnfinishedAgeSeconds);
    QDir folder(m_context.filesDir());
    int removed = 0;
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QRegularExpressionMatch match = unfinished.match(entry.fileName());
        if (!match.hasMatch() || entry.lastModified().toUTC() > before)
            continue;
        const QString name = match.captured(1);
        const bool stored = match.captured(2).isEmpty()
            && !m_context.db()
                    .selectOne(QStringLiteral("SELECT name FROM uploads WHERE name = ?"), {name})
                    .isEmpty();
        if (!m_context.db().lastError().isEmpty())
            return removed;
        if (stored && QFile::rename(entry.filePath(), folder.filePath(name)))
            continue;
        if (QFile::remove(entry.filePath()))
            ++removed;
    }
    return removed;
}

ServiceReply UploadRoutes::serveFile(const ServiceRequest& request)
{
    // Only names this service made: no folders, no dots but the extension's.
    static const QRegularExpression pattern(QStringLiteral("^files/([0-9a-f]{32})\\.([a-z]{3,4})$"));
    const QRegularExpressionMatch match = pattern.match(request.path);
    if (!match.hasMatch())
        return ServiceReply::notFound();
    const QByteArray contentType = ImageInspector::contentTypeForExtension(match.captured(2));
    QFile file(m_context.filePath(match.captured(1) % QLatin1Char('.') % match.captured(2)));
    if (contentType.isEmpty() || !file.open(QIODevice::ReadOnly))
        return ServiceReply::notFound();
    const qint64 size = file.size();
    qint64 first = 0;
    qint64 last = size - 1;
    const RangeKind kind = parseRange(request.header(QStringLiteral("range")), size, &first, &last);
    if (kind == RangeKind::Unsatisfiable) {
        ServiceReply reply = ServiceReply::bytes(QByteArray(), QByteArrayLiteral("text/plain"));
        reply.status = 416;
        reply.headers.append(qMakePair(QByteArrayLiteral("Content-Range"), "bytes */" + QByteArray::number(size)));
        return reply;
    }
    file.seek(first);
    ServiceReply reply = ServiceReply::bytes(file.read(last - first + 1), contentType);
    reply.headers.append(qMakePair(QByteArrayLiteral("Accept-Ranges"), QByteArrayLiteral("bytes")));
    if (kind == RangeKind::One) {
        reply.status = 206;
        reply.headers.append(qMakePair(QByteArrayLiteral("Content-Range"),
                                       "bytes " + QByteArray::number(first) + '-' + QByteArray::number(last) + '/'
                                           + QByteArray::number(size)));
    }
    return reply;
}

UploadRoutes::RangeKind UploadRoutes::parseRange(const QString& header, qint64 size, qint64* first, qint64* last)
{
    // One range of bytes is answered; anything else (several ranges, other units) gets the whole
    // file, which a client must accept.
    static const QRegularExpression pattern(QStringLiteral("^\\s*bytes\\s*=\\s*([0-9]{0,18})\\s*-\\s*([0-9]{0,18})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(header);
    if (header.isEmpty() || !match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return RangeKind::Whole;
    if (match.captured(1).isEmpty()) {
        const qint64 suffix = match.captured(2).toLongLong();
        if (suffix == 0 || size == 0)
            return RangeKind::Unsatisfiable;
        *first = qMax<qint64>(0, size - suffix);
        *last = size - 1;
        return RangeKind::One;
    }
    const qint64 start = match.captured(1).toLongLong();
    if (start >= size)
        return RangeKind::Unsatisfiable;
    const qint64 end = match.captured(2).isEmpty() ? size - 1 : match.captured(2).toLongLong();
    if (end < start)
        return RangeKind::Whole;
    *first = start;
    *last = qMin(end, size - 1);
    return RangeKind::One;
}
