#ifndef HTTPSERVER_H
#define HTTPSERVER_H

#include <memory>

class ServiceRouter;

// The service's listening socket on 127.0.0.1, kept here so that only the HTTP edge knows the
// HTTP library. One event loop on a thread per core reads and writes every connection, so idle
// kept-alive connections cost no thread; handlers run in parallel on a few threads of their own.
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
    bool serve(const ServiceRouter& router);
    // Makes serve() return; safe from any thread.
    void stop();

    // Threads that run handlers, each with its own database connection.
    static int handlerThreads();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

#endif // HTTPSERVER_H
