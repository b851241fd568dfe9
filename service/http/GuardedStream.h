#ifndef GUARDEDSTREAM_H
#define GUARDEDSTREAM_H

#include "http/RequestLimits.h"

#include <chrono>
#include <functional>
#include <httplib.h>
#include <string>

// One accepted connection as the HTTP library reads it, with the request limits applied to the
// bytes as they are handed over: a request over a limit or too slow is answered here (408, 413,
// 414, 415 or 431 with the envelope, "Connection: close") and the connection gives nothing more,
// so the library never buffers more than the limits allow.
class GuardedStream : public httplib::Stream
{
public:
    GuardedStream(int socket, const RequestLimits& limits);

    // Waits up to idleSeconds for the next request's first byte and starts its accounting; false
    // when the client went quiet or away, or stopping() turned true meanwhile.
    bool waitForRequest(int idleSeconds, const std::function<bool()>& stopping);
    // True once a request was refused; the connection then only closes.
    bool refused() const { return m_refused; }
    // Reads and drops what the client still sends for a short while, so a refusal reaches it
    // rather than being cut off by a reset.
    void drain();

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    int socket() const override { return m_socket; }

private:
    using Clock = std::chrono::steady_clock;

    // Fills the buffer; false (after answering) on a timeout, a closed peer or an error.
    bool fill();
    // Accounts for bytes about to be handed over; false (after answering) when a limit is hit.
    bool account(const char* data, size_t size);
    bool endOfLine();
    Clock::time_point readDeadline() const;
    void refuse(int status, const char* reason, const char* message);

    int m_socket;
    RequestLimits m_limits;
    bool m_refused = false;

    char m_buffer[4096];
    size_t m_begin = 0;
    size_t m_end = 0;

    // The current request.
    Clock::time_point m_started;
    Clock::time_point m_bodyStarted;
    bool m_inHeaders = true;
    std::size_t m_headerBytes = 0;
    int m_lines = 0;
    std::string m_line;
    std::size_t m_lineBytes = 0;
    long long m_declaredLength = -1;
    bool m_encoded = false;
    bool m_multipart = false;
    // The current request's body limit, known once its headers are.
    std::size_t m_bodyLimit = 0;
    std::size_t m_bodyBytes = 0;
    std::size_t m_written = 0;
    bool m_writing = false;
    Clock::time_point m_writeStarted;
};

#endif // GUARDEDSTREAM_H
