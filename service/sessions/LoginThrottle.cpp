#include "sessions/LoginThrottle.h"

#include "storage/core/ServiceDatabase.h"

#include <algorithm>
#include <mutex>

LoginThrottle::LoginThrottle(ServiceDatabase& db)
    : m_db(db)
{
}

qint64 LoginThrottle::waitMs(const QString& phone, qint64 nowMs)
{
    std::lock_guard<std::mutex> lock(m_db.handlingMutex());
    const QVariantMap row =
        m_db.selectOne(QStringLiteral("SELECT allowed_from_ms FROM login_failures WHERE phone = ?"), {phone});
    if (row.isEmpty())
        return 0;
    return std::max<qint64>(0, row.value(QStringLiteral("allowed_from_ms")).toLongLong() - nowMs);
}

void LoginThrottle::failed(const QString& phone, qint64 nowMs)
{
    std::lock_guard<std::mutex> lock(m_db.handlingMutex());
    m_db.transaction([&] {
        const QVariantMap row =
            m_db.selectOne(QStringLiteral("SELECT failures, allowed_from_ms FROM login_failures WHERE phone = ?"),
                           {phone});
        if (!m_db.lastError().isEmpty())
            return false;
        if (row.isEmpty()) {
            if (kept() >= kMaxPhones && !forgetQuiet(nowMs))
                return false;
        }
        const int failures = row.value(QStringLiteral("failures")).toInt() + 1;
        qint64 allowedFrom = row.value(QStringLiteral("allowed_from_ms")).toLongLong();
        const int over = failures - kFreeFailures;
        if (over >= 0)
            allowedFrom = nowMs + std::min(kMaxDelayMs, kFirstDelayMs << std::min(over, 20));
        return m_db.execute(QStringLiteral("INSERT INTO login_failures(phone, failures, last_failure_ms,"
                                           " allowed_from_ms) VALUES(?, ?, ?, ?) ON CONFLICT(phone) DO UPDATE SET"
                                           " failures = excluded.failures, last_failure_ms = excluded.last_failure_ms,"
                                           " allowed_from_ms = excluded.allowed_from_ms"),
                            {phone, failures, nowMs, allowedFrom});
    });
}

void LoginThrottle::succeeded(const QString& phone)
{
    std::lock_guard<std::mutex> lock(m_db.handlingMutex());
    m_db.execute(QStringLiteral("DELETE FROM login_failures WHERE phone = ?"), {phone});
}

qint64 LoginThrottle::kept()
{
    return m_db.selectOne(QStringLiteral("SELECT COUNT(*) AS kept FROM login_failures"))
        .value(QStringLiteral("kept"))
        .toLongLong();
}

bool LoginThrottle::forgetQuiet(qint64 nowMs)
{
    // Numbers whose wait is over and that failed longest ago go first, half the table at a time.
    const qint64 quiet = m_db.selectOne(QStringLiteral("SELECT COUNT(*) AS quiet FROM login_failures"
                                                       " WHERE allowed_from_ms <= ?"),
                                        {nowMs})
                             .value(QStringLiteral("quiet"))
                             .toLongLong();
    if (!m_db.execute(QStringLiteral("DELETE FROM login_failures WHERE phone IN (SELECT phone FROM login_failures"
                                     " WHERE allowed_from_ms <= ? ORDER BY last_failure_ms LIMIT ?)"),
                      {nowMs, std::max<qint64>(1, quiet / 2)}))
        return false;
    return kept() < kMaxPhones || m_db.execute(QStringLiteral("DELETE FROM login_failures"));
}
