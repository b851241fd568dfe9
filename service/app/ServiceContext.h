#ifndef SERVICECONTEXT_H
#define SERVICECONTEXT_H

#include <QString>

class QImage;
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
    // Public address of a file of the files folder, and where it is on disk.
    QString fileUrl(const QString& name) const;
    QString filePath(const QString& name) const;
    // Saves a picture the service drew into the files folder under a fresh name ("PNG", "JPG");
    // the file's name, or an empty string when it cannot be written.
    QString saveImage(const QImage& image, const char* format, int quality = -1) const;
    // Address of a company's mobile site, or an empty string while its site service is closed.
    QString siteUrl(const QString& companyId, bool siteOpen) const;

private:
    ServiceDatabase& m_db;
    SessionStore& m_sessions;
    QString m_baseUrl;
    QString m_filesDir;
};

#endif // SERVICECONTEXT_H
