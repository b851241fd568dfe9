#include "http/MultipartBody.h"

#include "http/ServiceParams.h"

namespace {

// A parameter of a header value, such as name="file" in a Content-Disposition; quoted or bare.
// *present tells an empty parameter from a missing one.
QByteArray headerParameter(const QByteArray& value, const QByteArray& key, bool* present = nullptr)
{
    int at = 0;
    while ((at = value.indexOf(key + '=', at)) >= 0) {
        // Whole words only: "filename=" must not be taken for "name=".
        const bool wordStart = at == 0 || value.at(at - 1) == ';' || value.at(at - 1) == ' ';
        const int start = at + key.size() + 1;
        at = start;
        if (!wordStart)
            continue;
        if (present)
            *present = true;
        if (start < value.size() && value.at(start) == '"') {
            const int end = value.indexOf('"', start + 1);
            return end < 0 ? QByteArray() : value.mid(start + 1, end - start - 1);
        }
        const int end = value.indexOf(';', start);
        return value.mid(start, end < 0 ? -1 : end - start).trimmed();
    }
    return QByteArray();
}

} // namespace

QByteArray MultipartBody::boundaryOf(const QByteArray& contentType)
{
    return headerParameter(contentType, QByteArrayLiteral("boundary"));
}

bool MultipartBody::parse(const QByteArray& body, const QByteArray& boundary, QList<UploadedPart>* parts,
                          bool* uncleanName)
{
    if (boundary.isEmpty())
        return false;
    const QByteArray delimiter = "--" + boundary;
    int at = body.indexOf(delimiter);
    if (at < 0)
        return false;
    for (;;) {
        at += delimiter.size();
        if (body.mid(at, 2) == "--")
            return true;
        if (body.mid(at, 2) != "\r\n")
            return false;
        at += 2;
        const int headEnd = body.indexOf("\r\n\r\n", at);
        if (headEnd < 0)
            return false;
        UploadedPart part;
        for (const QByteArray& line : body.mid(at, headEnd - at).split('\n')) {
            const int colon = line.indexOf(':');
            if (colon < 0)
                continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-disposition") {
                if (!ServiceParams::decodeText(headerParameter(value, QByteArrayLiteral("name")), &part.name))
                    *uncleanName = true;
                part.filename =
                    QString::fromUtf8(headerParameter(value, QByteArrayLiteral("filename"), &part.isFile));
            } else if (name == "content-type") {
                part.contentType = QString::fromUtf8(value);
            }
        }
        const int dataStart = headEnd + 4;
        const int next = body.indexOf("\r\n" + delimiter, dataStart);
        if (next < 0)
            return false;
        part.data = body.mid(dataStart, next - dataStart);
        parts->append(part);
        at = next + 2;
    }
}
