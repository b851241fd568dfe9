#ifndef REQUESTLIMITS_H
#define REQUESTLIMITS_H

#include <cstddef>

// What one request may make the service hold or wait for, enforced while the request is read.
struct RequestLimits
{
    // The request line, so the path and query string.
    std::size_t maxRequestLine = 8 * 1024;
    // Every header line together, and how many lines.
    std::size_t maxHeaderBytes = 32 * 1024;
    int maxHeaderLines = 100;
    // A multipart body as it arrives (framing and chunk sizes included); the biggest picture
    // allowed is 10 MB.
    std::size_t maxBodyBytes = 16 * 1024 * 1024;
    // Any other body (form text, JSON) is read whole into memory and is far smaller.
    std::size_t maxTextBodyBytes = 2 * 1024 * 1024;
    // The request line and headers must arrive within this time once the first byte has.
    int headerSeconds = 5;
    // A body (and a reply) must move at least this fast on average, after the same grace time.
    std::size_t minBytesPerSecond = 32 * 1024;
    // Longest wait for any single read or write.
    int ioTimeoutSeconds = 5;
};

#endif // REQUESTLIMITS_H
