#ifndef GUARDEDSERVER_H
#define GUARDEDSERVER_H

#include "http/RequestLimits.h"

#include <httplib.h>

// The HTTP library's server with each connection read through a GuardedStream: the library's
// own settings bound keep-alive and timeouts, the stream bounds what a request may make the
// service hold while it is read. Connections get TCP_NODELAY, so kept-alive replies do not wait
// for the client's delayed ACK.
class GuardedServer : public httplib::Server
{
public:
    explicit GuardedServer(const RequestLimits& limits);

    // A longer queue of connections waiting to be accepted than the library's own.
    bool widenBacklog(int backlog);

private:
    bool process_and_close_socket(socket_t sock) override;

    RequestLimits m_limits;
};

#endif // GUARDEDSERVER_H
