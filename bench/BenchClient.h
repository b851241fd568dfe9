#ifndef BENCHCLIENT_H
#define BENCHCLIENT_H

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>

// A blocking HTTP/1.1 client on one kept-alive connection to 127.0.0.1, connecting again when
// the service closed it.
class BenchClient
{
public:
    using Headers = std::map<std::string, std::string>;
    struct Reply
    {
        int status = 0;
        std::string body;
    };

    explicit BenchClient(int port);
    // Shares io with other clients, for many connections at once.
    BenchClient(int port, boost::asio::io_context& io);

    // Nothing when the request could not be made.
    std::optional<Reply> post(const std::string& path, const Headers& headers, const std::string& body);
    std::optional<Reply> get(const std::string& path, const Headers& headers);
    bool isOpen() const { return m_socket.is_open(); }
    // Opens the connection now; false when it cannot.
    bool connect();

private:
    std::optional<Reply> send(bool post, const std::string& path, const Headers& headers, const std::string& body);
    std::optional<Reply> attempt(bool post, const std::string& path, const Headers& headers, const std::string& body);

    int m_port;
    std::unique_ptr<boost::asio::io_context> m_ownIo;
    boost::asio::ip::tcp::socket m_socket;
    boost::beast::flat_buffer m_buffer;
};

#endif // BENCHCLIENT_H
