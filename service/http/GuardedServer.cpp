#include "http/GuardedServer.h"

#include "http/GuardedStream.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

GuardedServer::GuardedServer(const RequestLimits& limits)
    : m_limits(limits)
{
    set_tcp_nodelay(true);
    set_read_timeout(limits.ioTimeoutSeconds);
    set_write_timeout(limits.ioTimeoutSeconds);
    set_payload_max_length(limits.maxBodyBytes);
}

bool GuardedServer::widenBacklog(int backlog)
{
    // listen() again on a listening socket only changes its queue length.
    return svr_sock_ != INVALID_SOCKET && ::listen(svr_sock_, backlog) == 0;
}

bool GuardedServer::process_and_close_socket(socket_t sock)
{
    const int on = 1;
    ::setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    GuardedStream stream(sock, m_limits);
    const auto stopping = [this] { return svr_sock_ == INVALID_SOCKET; };
    bool ok = true;
    for (size_t left = keep_alive_max_count_; left > 0; --left) {
        if (!stream.waitForRequest(static_cast<int>(keep_alive_timeout_sec_), stopping))
            break;
        bool closed = false;
        ok = process_request(stream, left == 1 || stopping(), closed, [](httplib::Request& request) {
            // Ranges are the files route's to answer, one at most; the library would build a
            // reply as many times the file as there are ranges.
            request.ranges.clear();
        });
        if (!ok || closed || stream.refused())
            break;
    }
    if (stream.refused())
        stream.drain();
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return ok;
}
