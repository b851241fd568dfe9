#include "http/HttpBridge.h"

#include <httplib.h>

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QByteArray bytesOf(const std::string& text)
{
    return QByteArray(text.data(), static_cast<int>(text.size()));
}

} // namespace

bool HttpBridge::read(const httplib::Request& in, const httplib::ContentReader* content, ServiceRequest* out)
{
    out->method = fromStd(in.method);
    // The library has already percent-decoded the path.
    out->path = fromStd(in.path).mid(1);
    for (const auto& header : in.headers) {
        const QString name = fromStd(header.first).toLower();
        // The library files the socket's addresses among the headers; they are not the client's.
        if (name == QLatin1String("remote_addr") || name == QLatin1String("remote_port")
            || name == QLatin1String("local_addr") || name == QLatin1String("local_port"))
            continue;
        if (!out->headers.contains(name))
            out->headers.insert(name, fromStd(header.second));
    }
    ServiceParams query;
    for (const auto& param : in.params)
        query.addBytes(bytesOf(param.first), bytesOf(param.second));

    ServiceParams body;
    if (content) {
        if (in.is_multipart_form_data()) {
            QList<UploadedPart>& parts = out->parts;
            const bool ok = (*content)(
                [&parts, &body](const httplib::MultipartFormData& header) {
                    UploadedPart part;
                    if (!ServiceParams::decodeText(bytesOf(header.name), &part.name))
                        body.markInvalidText();
                    part.filename = fromStd(header.filename);
                    part.contentType = fromStd(header.content_type);
                    parts.append(part);
                    return true;
                },
                [&parts](const char* data, size_t length) {
                    if (parts.isEmpty())
                        return false;
                    parts.last().data.append(data, static_cast<int>(length));
                    return true;
                });
            if (!ok)
                return false;
            for (const UploadedPart& part : parts) {
                if (part.filename.isEmpty())
                    body.addBytes(part.name.toUtf8(), part.data);
            }
        } else {
            QByteArray raw;
            const bool ok = (*content)([&raw](const char* data, size_t length) {
                raw.append(data, static_cast<int>(length));
                return true;
            });
            if (!ok)
                return false;
            // JSON is kept as it came, for the calls that read it; only form text has pieces.
            if (in.get_header_value("Content-Type").find("json") == std::string::npos) {
                body = ServiceParams::fromForm(raw);
            } else {
                QString text;
                if (!ServiceParams::decodeText(raw, &text))
                    body.markInvalidText();
            }
            out->body = raw;
        }
    }
    out->params = query;
    out->params.merge(body, true);
    return true;
}

void HttpBridge::write(const ServiceReply& reply, httplib::Response* out)
{
    out->status = reply.status;
    for (const auto& header : reply.headers)
        out->set_header(header.first.toStdString(), header.second.toStdString());
    out->set_content(std::string(reply.body.constData(), static_cast<size_t>(reply.body.size())),
                     std::string(reply.contentType.constData(), static_cast<size_t>(reply.contentType.size())));
}
