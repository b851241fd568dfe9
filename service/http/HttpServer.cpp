#include "http/HttpServer.h"

#include "http/HttpBridge.h"
#include "http/ServiceRouter.h"

#include <httplib.h>
#include <mutex>

namespace {

// Room for many idle keep-alive connections: every request object of the module brings its own
// network manager, and a busy page holds several connections open at once.
const size_t kWorkerThreads = 48;
const size_t kMaxPayload = 32 * 1024 * 1024;

} // namespace

HttpServer::HttpServer()
    : m_server(std::make_unique<httplib::Server>())
{
    m_server->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    m_server->set_payload_max_length(kMaxPayload);
    m_server->set_keep_alive_timeout(3);
}

HttpServer::~HttpServer() = default;

int HttpServer::bind(int port)
{
    if (port == 0)
        return m_server->bind_to_any_port("127.0.0.1");
    return m_server->bind_to_port("127.0.0.1", port) ? port : -1;
}

bool HttpServer::serve(const ServiceRouter& router)
{
    // Bodies are read in parallel; handling is serialised.
    std::mutex handling;
    auto handle = [&](const httplib::Request& in, httplib::Response& out, const httplib::ContentReader* content) {
        ServiceRequest request;
        if (!HttpBridge::read(in, content, &request)) {
            out.status = 400;
            return;
        }
        ServiceReply reply;
        {
            std::lock_guard<std::mutex> lock(handling);
            reply = router.dispatch(request);
        }
        HttpBridge::write(reply, &out);
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
