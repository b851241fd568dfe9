#include "http/HttpConnection.h"

#include "http/Envelope.h"
#include "http/ServiceRouter.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include <algorithm>
#include <iterator>

namespace asio = boost::asio;
namespace http = boost::beast::http;
using boost::system::error_code;

namespace {

// What a refused client may still send, and for how long, before the connection is cut.
const std::size_t kDrainBytes = 4 * 1024 * 1024;
const auto kDrainTime = std::chrono::milliseconds(500);
// A refusal the client does not take within this time is dropped.
const auto kRefusalTime = std::chrono::seconds(1);

std::chrono::milliseconds atRate(std::size_t bytes, std::size_t bytesPerSecond)
{
    return std::chrono::milliseconds(static_cast<long long>(bytes * 1000 / std::max<std::size_t>(bytesPerSecond, 1)));
}

} // namespace

HttpConnection::HttpConnection(asio::ip::tcp::socket socket, Shared& shared)
    : m_socket(std::move(socket))
    , m_shared(shared)
    , m_limits(shared.limits)
    , m_deadline(m_socket.get_executor(), Clock::time_point::max())
    , m_pause(m_socket.get_executor())
{
    ++m_shared.open;
}

HttpConnection::~HttpConnection()
{
    --m_shared.open;
}

void HttpConnection::start()
{
    // Everything of a connection, its first steps too, runs on its strand.
    asio::dispatch(m_socket.get_executor(), [self = shared_from_this()] {
        self->watch();
        self->awaitRequest();
    });
}

void HttpConnection::turnAway()
{
    asio::dispatch(m_socket.get_executor(), [self = shared_from_this()] {
        self->watch();
        self->refuse(503, QStringLiteral("服务繁忙，请稍后再试"));
    });
}

void HttpConnection::setDeadline(Clock::time_point deadline)
{
    m_timedOut = false;
    // Cancels the watch's wait, which then waits again for the new time.
    m_deadline.expires_at(deadline);
}

void HttpConnection::watch()
{
    m_deadline.async_wait([self = shared_from_this()](const error_code&) {
        if (self->m_closed)
            return;
        if (self->m_deadline.expiry() <= Clock::now()) {
            self->m_timedOut = true;
            error_code ignored;
            self->m_socket.cancel(ignored);
            self->m_deadline.expires_at(Clock::time_point::max());
        }
        self->watch();
    });
}

void HttpConnection::awaitRequest()
{
    m_parser.reset();
    if (m_buffer.size() > 0) {
        // The client sent its next request right behind the last one.
        readHeader();
        return;
    }
    // An idle connection holds no buffer.
    m_buffer.shrink_to_fit();
    setDeadline(Clock::now() + std::chrono::seconds(m_limits.idleSeconds));
    m_socket.async_wait(asio::ip::tcp::socket::wait_read, [self = shared_from_this()](const error_code& error) {
        if (error)
            self->close();
        else
            self->readHeader();
    });
}

void HttpConnection::readHeader()
{
    m_parser.emplace();
    m_parser->header_limit(static_cast<std::uint32_t>(m_limits.maxRequestLine + m_limits.maxHeaderBytes));
    // The largest any request may send; the request's own limit is known with its headers.
    m_parser->body_limit(m_limits.maxBodyBytes);
    m_bodyStartedSet = false;
    m_bodyBytes = 0;
    setDeadline(Clock::now() + std::chrono::seconds(m_limits.headerSeconds));
    http::async_read_header(m_socket, m_buffer, *m_parser,
                            [self = shared_from_this()](const error_code& error, std::size_t) { self->onHeader(error); });
}

bool HttpConnection::requestLineTooLong() const
{
    // The parser takes the request line as soon as it is whole: none yet means it is too long.
    const HttpBridge::Request& request = m_parser->get();
    return request.target().empty()
        || request.method_string().size() + request.target().size() + 11 > m_limits.maxRequestLine;
}

void HttpConnection::onHeader(const error_code& error)
{
    if (error) {
        readFailed(error);
        return;
    }
    const HttpBridge::Request& request = m_parser->get();
    if (requestLineTooLong()) {
        refuse(414, QStringLiteral("请求地址过长"));
        return;
    }
    if (std::distance(request.begin(), request.end()) > m_limits.maxHeaderLines) {
        refuse(431, QStringLiteral("请求头过多"));
        return;
    }
    // The module never compresses what it sends; inflating would defeat the body limit.
    const auto encoding = request.find(http::field::content_encoding);
    if (encoding != request.end() && !boost::beast::iequals(encoding->value(), "identity")) {
        refuse(415, QStringLiteral("不支持压缩的请求内容"));
        return;
    }
    const boost::beast::string_view type = request[http::field::content_type];
    const bool multipart = type.size() >= 19 && boost::beast::iequals(type.substr(0, 19), "multipart/form-data");
    const std::size_t limit = multipart ? m_limits.maxBodyBytes : m_limits.maxTextBodyBytes;
    const auto declared = m_parser->content_length();
    if (declared && *declared > limit) {
        refuse(413, QStringLiteral("请求内容过大"));
        return;
    }
    m_parser->body_limit(limit);
    if (!m_parser->is_done() && boost::beast::iequals(request[http::field::expect], "100-continue")) {
        static const char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
        setDeadline(Clock::now() + std::chrono::seconds(m_limits.ioTimeoutSeconds));
        asio::async_write(m_socket, asio::buffer(kContinue, sizeof kContinue - 1),
                          [self = shared_from_this()](const error_code& failure, std::size_t) {
                              if (failure)
                                  self->close();
                              else
                                  self->readBody();
                          });
        return;
    }
    readBody();
}

void HttpConnection::readBody()
{
    if (m_parser->is_done()) {
        handle();
        return;
    }
    const Clock::time_point now = Clock::now();
    if (!m_bodyStartedSet) {
        m_bodyStarted = now;
        m_bodyStartedSet = true;
    }
    // A body must keep the pace on average, after a grace time, and never stall long.
    setDeadline(std::min(m_bodyStarted + std::chrono::seconds(m_limits.headerSeconds)
                             + atRate(m_bodyBytes, m_limits.minBytesPerSecond),
                         now + std::chrono::seconds(m_limits.ioTimeoutSeconds)));
    http::async_read_some(m_socket, m_buffer, *m_parser,
                          [self = shared_from_this()](const error_code& error, std::size_t bytes) {
                              self->m_bodyBytes += bytes;
                              if (error)
                                  self->readFailed(error);
                              else
                                  self->readBody();
                          });
}

void HttpConnection::readFailed(const error_code& error)
{
    if (m_timedOut) {
        refuse(408, QStringLiteral("请求超时"));
    } else if (error == http::error::header_limit) {
        if (requestLineTooLong())
            refuse(414, QStringLiteral("请求地址过长"));
        else
            refuse(431, QStringLiteral("请求头过大"));
    } else if (error == http::error::body_limit) {
        refuse(413, QStringLiteral("请求内容过大"));
    } else if (error.category() == http::make_error_code(http::error::end_of_stream).category()
               && error != http::error::end_of_stream && error != http::error::partial_message) {
        refuse(400, QStringLiteral("请求格式错误"));
    } else {
        // The client went away.
        close();
    }
}

void HttpConnection::handle()
{
    // The handler's time is not the client's.
    setDeadline(Clock::time_point::max());
    auto request = std::make_shared<HttpBridge::Request>(m_parser->release());
    m_parser.reset();
    ++m_served;
    const bool keepAlive = request->keep_alive() && m_served < m_limits.maxRequestsPerConnection;
    asio::post(*m_shared.handlers, [self = shared_from_this(), request, keepAlive] {
        ServiceReply reply;
        try {
            ServiceRequest in;
            if (HttpBridge::read(*request, &in))
                reply = self->m_shared.router->dispatch(in);
            else
                reply = Envelope::make(400, QStringLiteral("请求格式错误"));
        } catch (...) {
            reply = Envelope::internalError();
        }
        auto response = std::make_shared<HttpBridge::Response>(
            HttpBridge::write(reply, request->version(), keepAlive, request->method() == http::verb::head));
        const int delayMs = reply.delayMs;
        asio::post(self->m_socket.get_executor(), [self, response, keepAlive, delayMs] {
            if (delayMs <= 0) {
                self->send(response, keepAlive);
                return;
            }
            self->m_pause.expires_after(std::chrono::milliseconds(delayMs));
            self->m_pause.async_wait([self, response, keepAlive](const error_code& error) {
                if (error)
                    self->close();
                else
                    self->send(response, keepAlive);
            });
        });
    });
}

void HttpConnection::send(std::shared_ptr<HttpBridge::Response> response, bool keepAlive)
{
    if (m_closed)
        return;
    // A reader too slow to take the reply is dropped like a slow sender.
    setDeadline(Clock::now() + std::chrono::seconds(m_limits.headerSeconds)
                + atRate(response->body().size(), m_limits.minBytesPerSecond));
    http::async_write(m_socket, *response,
                      [self = shared_from_this(), response, keepAlive](const error_code& error, std::size_t) {
                          if (error || !keepAlive)
                              self->close();
                          else
                              self->awaitRequest();
                      });
}

void HttpConnection::refuse(int status, const QString& message)
{
    m_parser.reset();
    auto response = std::make_shared<HttpBridge::Response>(HttpBridge::refusal(status, message));
    setDeadline(Clock::now() + kRefusalTime);
    http::async_write(m_socket, *response, [self = shared_from_this(), response](const error_code& error, std::size_t) {
        if (error) {
            self->close();
            return;
        }
        // Reading on for a moment lets the refusal reach the client rather than be cut off by a
        // reset for the bytes it was still sending.
        error_code ignored;
        self->m_socket.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
        self->m_buffer.clear();
        self->m_buffer.shrink_to_fit();
        self->m_dropped.resize(16 * 1024);
        self->setDeadline(Clock::now() + kDrainTime);
        self->drain(0);
    });
}

void HttpConnection::drain(std::size_t dropped)
{
    if (dropped >= kDrainBytes) {
        close();
        return;
    }
    m_socket.async_read_some(asio::buffer(m_dropped),
                             [self = shared_from_this(), dropped](const error_code& error, std::size_t bytes) {
                                 if (error)
                                     self->close();
                                 else
                                     self->drain(dropped + bytes);
                             });
}

void HttpConnection::close()
{
    if (m_closed)
        return;
    m_closed = true;
    error_code ignored;
    m_deadline.cancel();
    m_pause.cancel();
    m_socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    m_socket.close(ignored);
}
