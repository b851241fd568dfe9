#include "BenchClient.h"

#include <boost/asio/connect.hpp>
#include <boost/beast/http.hpp>

namespace http = boost::beast::http;

BenchClient::BenchClient(int port)
    : m_port(port)
    , m_ownIo(std::make_unique<boost::asio::io_context>())
    , m_socket(*m_ownIo)
{
}

BenchClient::BenchClient(int port, boost::asio::io_context& io)
    : m_port(port)
    , m_socket(io)
{
}

bool BenchClient::connect()
{
    boost::system::error_code error;
    m_socket.close(error);
    m_buffer.clear();
    m_socket.connect({boost::asio::ip::make_address_v4("127.0.0.1"), static_cast<unsigned short>(m_port)}, error);
    if (!error)
        m_socket.set_option(boost::asio::ip::tcp::no_delay(true), error);
    return !error;
}

std::optional<BenchClient::Reply> BenchClient::post(const std::string& path, const Headers& headers,
                                                   const std::string& body)
{
    return send(true, path, headers, body);
}

std::optional<BenchClient::Reply> BenchClient::get(const std::string& path, const Headers& headers)
{
    return send(false, path, headers, std::string());
}

std::optional<BenchClient::Reply> BenchClient::send(bool post, const std::string& path, const Headers& headers,
                                                   const std::string& body)
{
    if (!m_socket.is_open() && !connect())
        return std::nullopt;
    std::optional<Reply> reply = attempt(post, path, headers, body);
    // A kept-alive connection the service has closed meanwhile: once more on a new one.
    if (!reply && connect())
        reply = attempt(post, path, headers, body);
    return reply;
}

std::optional<BenchClient::Reply> BenchClient::attempt(bool post, const std::string& path, const Headers& headers,
                                                      const std::string& body)
{
    http::request<http::string_body> request(post ? http::verb::post : http::verb::get, path, 11);
    request.set(http::field::host, "127.0.0.1");
    if (post)
        request.set(http::field::content_type, "application/x-www-form-urlencoded");
    for (const auto& header : headers)
        request.set(header.first, header.second);
    if (post) {
        request.body() = body;
        request.prepare_payload();
    }
    boost::system::error_code error;
    http::write(m_socket, request, error);
    if (error)
        return std::nullopt;
    http::response<http::string_body> response;
    http::read(m_socket, m_buffer, response, error);
    if (error) {
        m_socket.close(error);
        return std::nullopt;
    }
    if (!response.keep_alive())
        m_socket.close(error);
    return Reply{static_cast<int>(response.result_int()), std::move(response.body())};
}
