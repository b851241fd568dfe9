#include "sessions/SessionStore.h"

#include "sessions/PasswordHasher.h"
#include "sessions/SecureRandom.h"
#include "storage/core/ServiceDatabase.h"

#include <QCryptographicHash>
#include <QDateTime>

SessionStore::SessionStore(ServiceDatabase& db)
    : m_db(db)
{
}

bool SessionStore::create(qint64 userId, QString* sessionId, QString* token)
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const QString id = SecureRandom::hex(16);
    const QString secret = SecureRandom::hex(24);
    // Expired sessions are dropped on the way, so the table does not grow for ever.
    m_db.execute(QStringLiteral("DELETE FROM sessions WHERE expires_at <= ?"), {now});
    if (!m_db.execute(QStringLiteral("INSERT INTO sessions(id, token_hash, user_id, created_at, expires_at, created_ms)"
                                     " VALUES(?, ?, ?, ?, ?, ?)"),
                      {id, tokenHash(secret), userId, now, now + kLifetimeSeconds,
                       QDateTime::currentMSecsSinceEpoch()}))
        return false;
    m_db.execute(QStringLiteral("DELETE FROM sessions WHERE user_id = ? AND id NOT IN (SELECT id FROM sessions"
                                " WHERE user_id = ? ORDER BY created_ms DESC, created_at DESC LIMIT ?)"),
                 {userId, userId, kSessionsPerUser});
    *sessionId = id;
    *token = secret;
    return true;
}

SessionInfo SessionStore::find(const QString& sessionId, const QString& token)
{
    SessionInfo info;
    if (sessionId.isEmpty() || token.isEmpty())
        return info;
    const QVariantMap row = m_db.selectOne(
        QStringLiteral("SELECT s.token_hash, s.expires_at, u.id AS user_id, u.phone, u.company_id, u.is_manager,"
                       " u.job_id, c.city_id FROM sessions s JOIN users u ON u.id = s.user_id"
                       " JOIN companies c ON c.id = u.company_id WHERE s.id = ?"),
        {sessionId});
    if (row.isEmpty() || row.value(QStringLiteral("expires_at")).toLongLong() <= QDateTime::currentSecsSinceEpoch())
        return info;
    if (!PasswordHasher::constantTimeEquals(row.value(QStringLiteral("token_hash")).toString().toLatin1(),
                                            tokenHash(token).toLatin1()))
        return info;
    info.valid = true;
    info.sessionId = sessionId;
    info.userId = row.value(QStringLiteral("user_id")).toLongLong();
    info.phone = row.value(QStringLiteral("phone")).toString();
    info.companyId = row.value(QStringLiteral("company_id")).toString();
    info.cityId = row.value(QStringLiteral("city_id")).toString();
    info.isManager = row.value(QStringLiteral("is_manager")).toInt() != 0;
    info.jobId = row.value(QStringLiteral("job_id")).toLongLong();
    return info;
}

bool SessionStore::remove(const QString& sessionId)
{
    return m_db.execute(QStringLiteral("DELETE FROM sessions WHERE id = ?"), {sessionId});
}

QString SessionStore::tokenHash(const QString& token)
{
    return QString::fromLatin1(QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex());
}
