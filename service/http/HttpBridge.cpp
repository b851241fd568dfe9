#include "http/HttpBridge.h"

#include "http/Envelope.h"
#include "http/MultipartBody.h"

#include <boost/beast/http/field.hpp>
#include <boost/beast/http/verb.hpp>

namespace http = boost::beast::http;

namespace {

QByteArray bytesOf(boost::beast::string_view text)
{
    return QByteArray(text.data(), static_cast<int>(text.size()));
}

} // namespace

bool HttpBridge::read(Request& in, ServiceRequest* out)
{
    out->method = in.method() == http::verb::head ? QStringLiteral("GET") : QString::fromLatin1(bytesOf(in.method_string()));
    const QByteArray target = bytesOf(in.target());
    const int question = target.indexOf('?');
    // The path is percent-decoded; only the query and form texts read "+" as a blank.
    out->path = QString::fromUtf8(QByteArray::fromPercentEncoding(question < 0 ? target : target.left(question))).mid(1);
    for (const auto& field : in) {
        const QString name = QString::fromLatin1(bytesOf(field.name_string())).toLower();
        if (!out->headers.contains(name))
            out->headers.insert(name, QString::fromUtf8(bytesOf(field.value())));
    }
    const ServiceParams query = question < 0 ? ServiceParams() : ServiceParams::fromForm(target.mid(question + 1));

    ServiceParams body;
    QByteArray raw;
    raw.reserve(static_cast<int>(in.body().size()));
    for (const auto piece : in.body().data())
        raw.append(static_cast<const char*>(piece.data()), static_cast<int>(piece.size()));
    in.body().clear();
    in.body().shrink_to_fit();
    const QByteArray contentType = bytesOf(in[http::field::content_type]);
    if (contentType.toLower().startsWith("multipart/form-data")) {
        bool unclean = false;
        if (!MultipartBody::parse(raw, MultipartBody::boundaryOf(contentType), &out->parts, &unclean))
            return false;
        if (unclean)
            body.markInvalidText();
        for (const UploadedPart& part : qAsConst(out->parts)) {
            if (!part.isFile)
                body.addBytes(part.name.toUtf8(), part.data);
        }
    } else if (!raw.isEmpty()) {
        // JSON is kept as it came, for the calls that read it; only form text has pieces.
        if (!contentType.contains("json")) {
            body = ServiceParams::fromForm(raw);
        } else {
            QString text;
            if (!ServiceParams::decodeText(raw, &text))
                body.markInvalidText();
        }
        out->body = raw;
    }
    out->params = query;
    out->params.merge(body, true);
    return true;
}

HttpBridge::Response HttpBridge::write(const ServiceReply& reply, unsigned version, bool keepAlive, bool headOnly)
{
    Response out(static_cast<http::status>(reply.status), version);
    out.set("X-Content-Type-Options", "nosniff");
    if (!reply.contentType.isEmpty())
        out.set(http::field::content_type, reply.contentType.toStdString());
    for (const auto& header : reply.headers)
        out.set(header.first.toStdString(), header.second.toStdString());
    out.keep_alive(keepAlive);
    if (headOnly) {
        out.content_length(static_cast<std::uint64_t>(reply.body.size()));
    } else {
        out.body().assign(reply.body.constData(), static_cast<std::size_t>(reply.body.size()));
        out.prepare_payload();
    }
    return out;
}

HttpBridge::Response HttpBridge::refusal(int status, const QString& message)
{
    ServiceReply reply = Envelope::make(status, message);
    reply.status = status;
    return write(reply, 11, false, false);
}
