#include "app/ServiceContext.h"

#include "sessions/SecureRandom.h"

#include <QDir>
#include <QImage>

ServiceContext::ServiceContext(ServiceDatabase& db, SessionStore& sessions, const QString& baseUrl,
                               const QString& filesDir)
    : m_db(db)
    , m_sessions(sessions)
    , m_baseUrl(baseUrl)
    , m_filesDir(filesDir)
{
}

QString ServiceContext::fileUrl(const QString& name) const
{
    return m_baseUrl % QStringLiteral("files/") % name;
}

QString ServiceContext::filePath(const QString& name) const
{
    return QDir(m_filesDir).filePath(name);
}

QString ServiceContext::saveImage(const QImage& image, const char* format, int quality) const
{
    const QString name = SecureRandom::hex(16) % QLatin1Char('.') % QString::fromLatin1(format).toLower();
    if (!image.save(filePath(name), format, quality))
        return QString();
    return name;
}

QString ServiceContext::siteUrl(const QString& companyId, bool siteOpen) const
{
    if (!siteOpen)
        return QString();
    // The public mobile site, which the desktop's "我的官网" opens.
    return m_baseUrl % QStringLiteral("site/m/") % companyId % QLatin1Char('/');
}
