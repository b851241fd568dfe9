#ifndef HTTPBRIDGE_H
#define HTTPBRIDGE_H

#include "http/ServiceReply.h"
#include "http/ServiceRequest.h"

namespace httplib {
struct Request;
struct Response;
class ContentReader;
} // namespace httplib

// Translates between the HTTP library and the service's own request and reply types.
class HttpBridge
{
public:
    // Reads the request line's parameters and headers, and, when a content reader is given, the
    // body: form text or multipart parts. False when the body could not be read.
    static bool read(const httplib::Request& in, const httplib::ContentReader* content, ServiceRequest* out);
    static void write(const ServiceReply& reply, httplib::Response* out);

private:
    HttpBridge() = delete;
};

#endif // HTTPBRIDGE_H
