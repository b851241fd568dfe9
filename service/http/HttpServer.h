#ifndef HTTPSERVER_H
#define HTTPSERVER_H

#include <memory>

class GuardedServer;
class ServiceRouter;

// The service's listening socket on 127.0.0.1, kept here so that only the HTTP edge knows the
// HTTP library. Requests are read in parallel, each within the request limits; the router decides
// what runs one at a time.
class HttpServer
{
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds 127.0.0.1:port (0 picks a free port); the bound port, or -1 when it cannot.
    int bind(int port);
    // Serves the router's routes on the bound socket until stop(); false when the socket failed.
    // Called once: the server keeps its handlers.
    bool serve(const ServiceRouter& router);
    // Makes serve() return; safe from any thread.
    void stop();

private:
    std::unique_ptr<GuardedServer> m_server;
};

#endif // HTTPSERVER_H
