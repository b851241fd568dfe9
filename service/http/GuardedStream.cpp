#include "http/GuardedStream.h"

#include "http/Envelope.h"

#include <QString>

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

const long long kUnreadableLength = -2;

// Waits for the socket to become readable (or writable) until the deadline; false on a timeout.
bool waitFor(int socket, short events, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd entry{socket, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

std::string lowered(const std::string& text)
{
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void addressOf(const sockaddr_storage& address, std::string& ip, int& port)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address);
        ::inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        port = ntohs(v4->sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address);
        ::inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        port = ntohs(v6->sin6_port);
    }
    ip = text;
}

} // namespace

GuardedStream::GuardedStream(int socket, const RequestLimits& limits)
    : m_socket(socket)
    , m_limits(limits)
{
}

bool GuardedStream::waitForRequest(int idleSeconds, const std::function<bool()>& stopping)
{
    if (m_refused)
        return false;
    if (m_begin == m_end) {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(idleSeconds);
        for (;;) {
            if (stopping())
                return false;
            // Short slices, so a stopping server does not wait for idle connections.
            const Clock::time_point slice = std::min(deadline, Clock::now() + std::chrono::milliseconds(100));
            if (waitFor(m_socket, POLLIN, slice))
                break;
            if (Clock::now() >= deadline)
                return false;
        }
    }
    m_started = Clock::now();
    m_inHeaders = true;
    m_headerBytes = 0;
    m_lines = 0;
    m_line.clear();
    m_lineBytes = 0;
    m_declaredLength = -1;
    m_encoded = false;
    m_multipart = false;
    m_bodyLimit = m_limits.maxTextBodyBytes;
    m_bodyBytes = 0;
    m_written = 0;
    m_writing = false;
    return true;
}

GuardedStream::Clock::time_point GuardedStream::readDeadline() const
{
    const auto grace = std::chrono::seconds(m_limits.headerSeconds);
    Clock::time_point deadline;
    if (m_inHeaders) {
        deadline = m_started + grace;
    } else {
        const auto allowed = std::chrono::milliseconds(
            static_cast<long long>(m_bodyBytes * 1000 / std::max<std::size_t>(m_limits.minBytesPerSecond, 1)));
        deadline = m_bodyStarted + grace + allowed;
    }
    return std::min(deadline, Clock::now() + std::chrono::seconds(m_limits.ioTimeoutSeconds));
}

bool GuardedStream::fill()
{
    if (m_refused)
        return false;
    if (!waitFor(m_socket, POLLIN, readDeadline())) {
        refuse(408, "Request Timeout", "请求超时");
        return false;
    }
    ssize_t received;
    do {
        received = ::recv(m_socket, m_buffer, sizeof m_buffer, 0);
    } while (received < 0 && errno == EINTR);
    if (received <= 0)
        return false;
    m_begin = 0;
    m_end = static_cast<size_t>(received);
    return true;
}

bool GuardedStream::is_readable() const
{
    if (m_refused)
        return false;
    return m_begin < m_end || waitFor(m_socket, POLLIN, readDeadline());
}

bool GuardedStream::is_writable() const
{
    if (m_refused)
        return false;
    return waitFor(m_socket, POLLOUT, Clock::now() + std::chrono::seconds(m_limits.ioTimeoutSeconds));
}

ssize_t GuardedStream::read(char* ptr, size_t size)
{
    if (m_refused)
        return -1;
    if (m_begin == m_end && !fill())
        return -1;
    size_t count = std::min(size, m_end - m_begin);
    if (m_inHeaders) {
        // Header bytes go one line at a time, so a limit is seen before the library copies on.
        const void* newline = std::memchr(m_buffer + m_begin, '\n', count);
        if (newline)
            count = static_cast<size_t>(static_cast<const char*>(newline) - (m_buffer + m_begin)) + 1;
    }
    if (!account(m_buffer + m_begin, count))
        return -1;
    std::memcpy(ptr, m_buffer + m_begin, count);
    m_begin += count;
    return static_cast<ssize_t>(count);
}

bool GuardedStream::account(const char* data, size_t size)
{
    if (!m_inHeaders) {
        m_bodyBytes += size;
        if (m_bodyBytes > m_bodyLimit) {
            refuse(413, "Payload Too Large", "请求内容过大");
            return false;
        }
        return true;
    }
    m_headerBytes += size;
    m_lineBytes += size;
    const bool complete = size > 0 && data[size - 1] == '\n';
    // Only the start of a line matters for the headers looked at below.
    m_line.append(data, std::min(size, std::size_t(256) - std::min(m_line.size(), std::size_t(256))));
    if (m_lines == 0 && m_lineBytes > m_limits.maxRequestLine) {
        refuse(414, "URI Too Long", "请求地址过长");
        return false;
    }
    if (m_headerBytes > m_limits.maxRequestLine + m_limits.maxHeaderBytes) {
        refuse(431, "Request Header Fields Too Large", "请求头过大");
        return false;
    }
    return complete ? endOfLine() : true;
}

bool GuardedStream::endOfLine()
{
    std::string line = m_line;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    m_line.clear();
    m_lineBytes = 0;
    ++m_lines;
    if (m_lines > m_limits.maxHeaderLines + 1) {
        refuse(431, "Request Header Fields Too Large", "请求头过多");
        return false;
    }
    if (line.empty() && m_lines > 1) {
        if (m_encoded) {
            refuse(415, "Unsupported Media Type", "不支持压缩的请求内容");
            return false;
        }
        if (m_declaredLength == kUnreadableLength) {
            refuse(400, "Bad Request", "请求格式错误");
            return false;
        }
        m_bodyLimit = m_multipart ? m_limits.maxBodyBytes : m_limits.maxTextBodyBytes;
        if (m_declaredLength > static_cast<long long>(m_bodyLimit)) {
            refuse(413, "Payload Too Large", "请求内容过大");
            return false;
        }
        m_inHeaders = false;
        m_bodyStarted = Clock::now();
        return true;
    }
    const size_t colon = line.find(':');
    if (m_lines == 1 || colon == std::string::npos)
        return true;
    const std::string name = lowered(trimmed(line.substr(0, colon)));
    const std::string value = lowered(trimmed(line.substr(colon + 1)));
    // The module never compresses what it sends; inflating would defeat the body limit.
    if (name == "content-encoding" && value != "identity")
        m_encoded = true;
    if (name == "content-type")
        m_multipart = value.compare(0, 19, "multipart/form-data") == 0;
    if (name == "content-length") {
        errno = 0;
        char* end = nullptr;
        const long long length = std::strtoll(value.c_str(), &end, 10);
        const bool number = errno == 0 && !value.empty() && *end == '\0' && length >= 0;
        m_declaredLength = number ? length : kUnreadableLength;
    }
    return true;
}

ssize_t GuardedStream::write(const char* ptr, size_t size)
{
    if (m_refused)
        return -1;
    if (!m_writing) {
        m_writing = true;
        m_writeStarted = Clock::now();
    }
    // A reader too slow to take the reply keeps a worker like a slow sender does.
    const auto allowed = std::chrono::milliseconds(
        static_cast<long long>(m_written * 1000 / std::max<std::size_t>(m_limits.minBytesPerSecond, 1)));
    const Clock::time_point deadline = std::min(m_writeStarted + std::chrono::seconds(m_limits.headerSeconds) + allowed,
                                                Clock::now() + std::chrono::seconds(m_limits.ioTimeoutSeconds));
    if (!waitFor(m_socket, POLLOUT, deadline)) {
        m_refused = true;
        return -1;
    }
    ssize_t sent;
    do {
        sent = ::send(m_socket, ptr, size, MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent > 0)
        m_written += static_cast<size_t>(sent);
    return sent;
}

void GuardedStream::refuse(int status, const char* reason, const char* message)
{
    const QByteArray body = Envelope::make(status, QString::fromUtf8(message)).body;
    const QByteArray head = QByteArrayLiteral("HTTP/1.1 ") + QByteArray::number(status) + ' ' + reason
                            + "\r\nContent-Type: application/json; charset=utf-8\r\nContent-Length: "
                            + QByteArray::number(body.size())
                            + "\r\nConnection: close\r\nX-Content-Type-Options: nosniff\r\n\r\n";
    const QByteArray reply = head + body;
    m_refused = true;
    // Best effort: a client that does not read its refusal loses it.
    if (waitFor(m_socket, POLLOUT, Clock::now() + std::chrono::seconds(1)))
        ::send(m_socket, reply.constData(), static_cast<size_t>(reply.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void GuardedStream::drain()
{
    ::shutdown(m_socket, SHUT_WR);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(500);
    std::size_t dropped = 0;
    while (dropped < 4 * 1024 * 1024 && waitFor(m_socket, POLLIN, deadline)) {
        const ssize_t received = ::recv(m_socket, m_buffer, sizeof m_buffer, 0);
        if (received <= 0)
            break;
        dropped += static_cast<size_t>(received);
    }
}

void GuardedStream::get_remote_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        addressOf(address, ip, port);
}

void GuardedStream::get_local_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        addressOf(address, ip, port);
}
