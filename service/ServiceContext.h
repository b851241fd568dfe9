#ifndef SERVICECONTEXT_H
#define SERVICECONTEXT_H

#include <QString>

class ServiceDatabase;
class SessionStore;

// What the route classes share: the store, the sessions and the service's own addresses.
class ServiceContext
{
public:
    ServiceContext(ServiceDatabase& db, SessionStore& sessions, const QString& baseUrl, const QString& filesDir);

    ServiceDatabase& db() const { return m_db; }
    SessionStore& sessions() const { return m_sessions; }
    // "http://127.0.0.1:PORT/"
    QString baseUrl() const { return m_baseUrl; }
    QString filesDir() const { return m_filesDir; }
    // Public address of an uploaded file.
    QString fileUrl(const QString& name) const;
    // Address of a company's mobile site, or an empty string while its site service is closed.
    QString siteUrl(const QString& companyId, bool siteOpen) const;

private:
    ServiceDatabase& m_db;
    SessionStore& m_sessions;
    QString m_baseUrl;
    QString m_filesDir;
};

#endif // SERVICECONTEXT_H
