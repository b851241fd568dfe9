#include "sessions/LoginThrottle.h"

#include <algorithm>

qint64 LoginThrottle::waitMs(const QString& phone, qint64 nowMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_records.constFind(phone);
    if (found == m_records.constEnd())
        return 0;
    return std::max<qint64>(0, found->allowedFromMs - nowMs);
}

void LoginThrottle::failed(const QString& phone, qint64 nowMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_records.size() >= kMaxPhones && !m_records.contains(phone))
        forgetQuiet(nowMs);
    Record& record = m_records[phone];
    ++record.failures;
    record.lastFailureMs = nowMs;
    const int over = record.failures - kFreeFailures;
    if (over >= 0) {
        const qint64 delay = std::min(kMaxDelayMs, kFirstDelayMs << std::min(over, 20));
        record.allowedFromMs = nowMs + delay;
    }
}

void LoginThrottle::succeeded(const QString& phone)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.remove(phone);
}

void LoginThrottle::forgetQuiet(qint64 nowMs)
{
    // Numbers whose wait is over and that failed longest ago go first, half the table at a time.
    QList<QPair<qint64, QString>> quiet;
    for (auto it = m_records.cbegin(); it != m_records.cend(); ++it) {
        if (it->allowedFromMs <= nowMs)
            quiet.append(qMakePair(it->lastFailureMs, it.key()));
    }
    std::sort(quiet.begin(), quiet.end());
    const int drop = std::max(1, static_cast<int>(quiet.size()) / 2);
    for (int i = 0; i < drop && i < quiet.size(); ++i)
        m_records.remove(quiet.at(i).second);
    if (m_records.size() >= kMaxPhones)
        m_records.clear();
}
