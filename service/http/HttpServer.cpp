#include "http/HttpServer.h"

#include "http/GuardedServer.h"
#include "http/HttpBridge.h"
#include "http/ServiceRouter.h"

namespace {

// Room for many idle keep-alive connections: every request object of the module brings its own
// network manager, and a busy page holds several connections open at once.
const size_t kWorkerThreads = 48;
const int kListenBacklog = 256;
const size_t kKeepAliveRequests = 1000;

} // namespace

HttpServer::HttpServer()
    : m_server(std::make_unique<GuardedServer>(RequestLimits()))
{
    m_server->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    m_server->set_keep_alive_timeout(3);
    m_server->set_keep_alive_max_count(kKeepAliveRequests);
    m_server->set_default_headers({{"X-Content-Type-Options", "nosniff"}});
}

HttpServer::~HttpServer() = default;

int HttpServer::bind(int port)
{
    const int bound = port == 0 ? m_server->bind_to_any_port("127.0.0.1")
                                : (m_server->bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound > 0)
        m_server->widenBacklog(kListenBacklog);
    return bound;
}

bool HttpServer::serve(const ServiceRouter& router)
{
    // Bodies are read in parallel; the router serialises what needs the database.
    auto handle = [&router](const httplib::Request& in, httplib::Response& out, const httplib::ContentReader* content) {
        ServiceRequest request;
        if (!HttpBridge::read(in, content, &request)) {
            out.status = 400;
            return;
        }
        HttpBridge::write(router.dispatch(request), &out);
    };
    const std::string everything = "/.*";
    m_server->Get(everything, [&](const httplib::Request& in, httplib::Response& out) { handle(in, out, nullptr); });
    m_server->Post(everything, [&](const httplib::Request& in, httplib::Response& out,
                                   const httplib::ContentReader& content) { handle(in, out, &content); });
    return m_server->listen_after_bind();
}

void HttpServer::stop()
{
    m_server->stop();
}
