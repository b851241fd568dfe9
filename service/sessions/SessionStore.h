#ifndef SESSIONSTORE_H
#define SESSIONSTORE_H

#include "sessions/SessionInfo.h"

#include <QString>

class ServiceDatabase;

// Login sessions kept in the database: an id and a secret token, of which only a hash is stored.
class SessionStore
{
public:
    explicit SessionStore(ServiceDatabase& db);

    // Opens a session for the user; false when the database refuses.
    bool create(qint64 userId, QString* sessionId, QString* token);
    // The session's owner when the id exists, the token matches and it has not expired; an
    // invalid SessionInfo otherwise.
    SessionInfo find(const QString& sessionId, const QString& token);

    // Ends a session; false when the database refuses.
    bool remove(const QString& sessionId);
    ServiceDatabase& database() const { return m_db; }

    static constexpr qint64 kLifetimeSeconds = 30 * 24 * 3600;
    // Logins of one user kept at once; older ones end when a new one starts.
    static constexpr int kSessionsPerUser = 20;

private:
    static QString tokenHash(const QString& token);

    ServiceDatabase& m_db;
};

#endif // SESSIONSTORE_H
