#ifndef HTTPCONNECTION_H
#define HTTPCONNECTION_H

#include "http/HttpBridge.h"
#include "http/RequestLimits.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/parser.hpp>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class ServiceRouter;

// One accepted connection: reads requests one after another within the request limits, hands
// each to the handler threads and writes the reply. Between requests it waits for the socket
// without a thread or a buffer. A request over a limit or too slow is answered here (408, 413,
// 414, 415 or 431 with the envelope, "Connection: close"), what the client still sends is read
// and dropped for a moment, and the connection closes. All its work runs on its own strand.
class HttpConnection : public std::enable_shared_from_this<HttpConnection>
{
public:
    // What every connection of a server shares.
    struct Shared
    {
        const ServiceRouter* router = nullptr;
        RequestLimits limits;
        boost::asio::thread_pool* handlers = nullptr;
        std::atomic<int> open{0};
    };

    HttpConnection(boost::asio::ip::tcp::socket socket, Shared& shared);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Serves requests until the client leaves, stays idle too long or breaks a limit.
    void start();
    // Answers 503 and closes: the server has as many connections as it takes.
    void turnAway();

private:
    using Clock = std::chrono::steady_clock;
    using Parser = boost::beast::http::request_parser<boost::beast::http::dynamic_body>;

    void awaitRequest();
    void readHeader();
    void onHeader(const boost::system::error_code& error);
    void readBody();
    void handle();
    void send(std::shared_ptr<HttpBridge::Response> response, bool keepAlive);
    // A read that ended with error: closes quietly or answers the client why.
    void readFailed(const boost::system::error_code& error);
    void refuse(int status, const QString& message);
    void drain(std::size_t dropped);
    void close();
    // Cancels what the connection waits for once the deadline passes.
    void setDeadline(Clock::time_point deadline);
    void watch();
    bool requestLineTooLong() const;

    boost::asio::ip::tcp::socket m_socket;
    Shared& m_shared;
    const RequestLimits& m_limits;
    boost::asio::steady_timer m_deadline;
    boost::asio::steady_timer m_pause;
    bool m_timedOut = false;
    bool m_closed = false;
    boost::beast::flat_buffer m_buffer;
    std::optional<Parser> m_parser;
    std::vector<char> m_dropped;
    int m_served = 0;

    // The current request.
    Clock::time_point m_bodyStarted;
    bool m_bodyStartedSet = false;
    std::size_t m_bodyBytes = 0;
};

#endif // HTTPCONNECTION_H
