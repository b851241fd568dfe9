#ifndef PAGECACHE_H
#define PAGECACHE_H

#include <QByteArray>
#include <QHash>
#include <QQueue>
#include <QString>

#include <mutex>

// Rendered pages by address, each with the data stamp it was rendered at: an entry serves only
// while its company's stamp is unchanged. Bounded: past the limit the oldest entries go. Safe to
// use from several threads.
class PageCache
{
public:
    explicit PageCache(int limit = 512);

    // The page stored for the address at this stamp; false when there is none.
    bool find(const QString& address, const QString& stamp, QByteArray* body) const;
    void store(const QString& address, const QString& stamp, const QByteArray& body);
    int size() const;

private:
    struct Entry
    {
        QString stamp;
        QByteArray body;
    };

    const int m_limit;
    mutable std::mutex m_mutex;
    QHash<QString, Entry> m_entries;
    // Addresses in the order they were first stored.
    QQueue<QString> m_order;
};

#endif // PAGECACHE_H
