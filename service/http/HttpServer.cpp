#include "http/HttpServer.h"

#include "http/HttpConnection.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/strand.hpp>

#include <algorithm>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace asio = boost::asio;
using boost::system::error_code;

namespace {

int cores()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// Descriptors kept for the database, files being served and written, and the like.
const rlim_t kSpareDescriptors = 128;

// As many connections as the process may open descriptors for, up to the limit; the soft limit
// is raised to the hard one first.
int connectionBound(int wanted)
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return wanted;
    if (limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
        ::getrlimit(RLIMIT_NOFILE, &limit);
    }
    if (limit.rlim_cur == RLIM_INFINITY)
        return wanted;
    return static_cast<int>(std::min<rlim_t>(static_cast<rlim_t>(wanted),
                                             limit.rlim_cur > 2 * kSpareDescriptors ? limit.rlim_cur - kSpareDescriptors
                                                                                    : limit.rlim_cur / 2));
}

} // namespace

struct HttpServer::Private
{
    // Declared first: connections left in the loop's queue at the end still count themselves off.
    HttpConnection::Shared shared;
    asio::thread_pool handlers{static_cast<std::size_t>(handlerThreads())};
    asio::io_context io{cores()};
    asio::ip::tcp::acceptor acceptor{io};
    asio::steady_timer retry{io};

    void accept()
    {
        acceptor.async_accept(asio::make_strand(io), [this](const error_code& error, asio::ip::tcp::socket socket) {
            if (error == asio::error::operation_aborted || !acceptor.is_open())
                return;
            if (error) {
                // Out of descriptors, say: try again shortly rather than spin.
                retry.expires_after(std::chrono::milliseconds(50));
                retry.async_wait([this](const error_code& failure) {
                    if (!failure)
                        accept();
                });
                return;
            }
            error_code ignored;
            // Kept-alive replies do not wait for the client's delayed ACK.
            socket.set_option(asio::ip::tcp::no_delay(true), ignored);
            auto connection = std::make_shared<HttpConnection>(std::move(socket), shared);
            if (shared.open > shared.limits.maxConnections)
                connection->turnAway();
            else
                connection->start();
            accept();
        });
    }
};

HttpServer::HttpServer()
    : d(std::make_unique<Private>())
{
    d->shared.handlers = &d->handlers;
    d->shared.limits.maxConnections = connectionBound(d->shared.limits.maxConnections);
}

HttpServer::~HttpServer()
{
    d->handlers.join();
}

int HttpServer::handlerThreads()
{
    // Enough that a few slow handlers (a password check, a big picture) leave others room, and
    // few enough to keep the database connections a small pool.
    return std::max(4, 2 * cores());
}

int HttpServer::bind(int port)
{
    error_code error;
    const asio::ip::tcp::endpoint endpoint(asio::ip::make_address_v4("127.0.0.1"), static_cast<unsigned short>(port));
    d->acceptor.open(endpoint.protocol(), error);
    if (!error)
        d->acceptor.set_option(asio::socket_base::reuse_address(true), error);
    if (!error)
        d->acceptor.bind(endpoint, error);
    if (!error)
        d->acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (error) {
        d->acceptor.close(error);
        return -1;
    }
    return d->acceptor.local_endpoint().port();
}

bool HttpServer::serve(const ServiceRouter& router)
{
    if (!d->acceptor.is_open())
        return false;
    d->shared.router = &router;
    d->accept();
    std::vector<std::thread> threads;
    for (int i = 1; i < cores(); ++i)
        threads.emplace_back([this] { d->io.run(); });
    d->io.run();
    for (std::thread& thread : threads)
        thread.join();
    // Handlers under way finish before the router they use goes away.
    d->handlers.join();
    return true;
}

void HttpServer::stop()
{
    asio::post(d->io, [this] {
        error_code ignored;
        d->acceptor.close(ignored);
        d->io.stop();
    });
}
