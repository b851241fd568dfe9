#ifndef HTTPBRIDGE_H
#define HTTPBRIDGE_H

#include "http/ServiceReply.h"
#include "http/ServiceRequest.h"

#include <boost/beast/http/dynamic_body.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>

// Translates between the HTTP library's messages and the service's own request and reply types.
class HttpBridge
{
public:
    // A body arrives in blocks that are never copied to grow, so a big upload costs its size.
    using Request = boost::beast::http::request<boost::beast::http::dynamic_body>;
    using Response = boost::beast::http::response<boost::beast::http::string_body>;

    // The path, the query's and the body's parameters (form text or multipart parts) and the
    // headers. False when the body cannot be read. The request's body is moved out.
    static bool read(Request& in, ServiceRequest* out);
    // The reply as the answer to a request of this HTTP version; a HEAD request gets the head only.
    static Response write(const ServiceReply& reply, unsigned version, bool keepAlive, bool headOnly);
    // A refusal with the envelope, after which the connection closes.
    static Response refusal(int status, const QString& message);

private:
    HttpBridge() = delete;
};

#endif // HTTPBRIDGE_H
