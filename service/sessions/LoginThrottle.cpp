#include "sessions/LoginThrottle.h"

#include "storage/core/ServiceDatabase.h"

#include <algorithm>

LoginThrottle::LoginThrottle(ServiceDatabase& db)
    : m_db(db)
{
}

qint64 LoginThrottle::waitOf(const QVariantMap& row, qint64 nowMs)
{
    if (row.isEmpty())
        return 0;
    return std::max<qint64>(0, row.value(QStringLiteral("allowed_from_ms")).toLongLong() - nowMs);
}

qint64 LoginThrottle::waitMs(const QString& phone, qint64 nowMs)
{
    return waitOf(m_db.selectOne(QStringLiteral("SELECT allowed_from_ms FROM login_failures WHERE phone = ?"), {phone}),
                  nowMs);
}

bool LoginThrottle::claim(const QString& phone, qint64 nowMs, qint64* waitMs)
{
    *waitMs = 0;
    return m_db.transaction([&] {
        const QVariantMap row = m_db.selectOne(
            QStringLiteral("SELECT failures, allowed_from_ms FROM login_failures WHERE phone = ?"), {phone});
        if (!m_db.lastError().isEmpty())
            return false;
        *waitMs = waitOf(row, nowMs);
        return *waitMs > 0 || count(phone, row, nowMs);
    });
}

bool LoginThrottle::count(const QString& phone, const QVariantMap& row, qint64 nowMs)
{
    if (row.isEmpty() && kept() >= kMaxPhones && !forgetQuiet(nowMs))
        return false;
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
}

bool LoginThrottle::succeeded(const QString& phone)
{
    return m_db.execute(QStringLiteral("DELETE FROM login_failures WHERE phone = ?"), {phone});
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
