#include "routes/site/PageCache.h"

PageCache::PageCache(int limit)
    : m_limit(limit)
{
}

bool PageCache::find(const QString& address, const QString& stamp, QByteArray* body) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto entry = m_entries.constFind(address);
    if (entry == m_entries.constEnd() || entry->stamp != stamp)
        return false;
    *body = entry->body;
    return true;
}

void PageCache::store(const QString& address, const QString& stamp, const QByteArray& body)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_entries.contains(address)) {
        while (m_order.size() >= m_limit)
            m_entries.remove(m_order.dequeue());
        m_order.enqueue(address);
    }
    m_entries.insert(address, Entry{stamp, body});
}

int PageCache::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries.size();
}
