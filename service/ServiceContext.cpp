#include "ServiceContext.h"

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

QString ServiceContext::siteUrl(const QString& companyId, bool siteOpen) const
{
    if (!siteOpen)
        return QString();
    return m_baseUrl % QStringLiteral("site/") % companyId % QLatin1Char('/');
}
