#ifndef REQUESTLIMITS_H
#define REQUESTLIMITS_H

#include <cstddef>

// What one request may make the service hold or wait for, enforced while the request is read,
// and what one connection may keep open.
struct RequestLimits
{
    // The request line, so the path and query string.
    std::size_t maxRequestLine = 8 * 1024;
    // Every header line together, and how many lines.
    std::size_t maxHeaderBytes = 32 * 1024;
    int maxHeaderLines = 100;
    // A multipart body as it arrives; the biggest picture allowed is 10 MB.
    std::size_t maxBodyBytes = 16 * 1024 * 1024;
    // Any other body (form text, JSON) is read whole into memory and is far smaller.
    std::size_t maxTextBodyBytes = 2 * 1024 * 1024;
    // The request line and headers must arrive within this time once the first byte has.
    int headerSeconds = 5;
    // A body (and a reply) must move at least this fast on average, after the same grace time.
    std::size_t minBytesPerSecond = 32 * 1024;
    // Longest wait for any single read or write.
    int ioTimeoutSeconds = 5;
    // A kept-alive connection with no request under way is closed after this long; it costs no
    // thread meanwhile, only a socket and a few hundred bytes.
    int idleSeconds = 30;
    // Requests one connection may make before it is closed.
    int maxRequestsPerConnection = 1000;
    // Connections open at once; past it a newcomer is answered 503 and closed. Lowered to what
    // the process may open when that is less.
    int maxConnections = 10000;
};

#endif // REQUESTLIMITS_H
