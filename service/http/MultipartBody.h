#ifndef MULTIPARTBODY_H
#define MULTIPARTBODY_H

#include "http/UploadedPart.h"

#include <QByteArray>
#include <QList>

// Splits a multipart/form-data body into its parts.
class MultipartBody
{
public:
    // The boundary named by a Content-Type header ("multipart/form-data; boundary=..."), or an
    // empty array when there is none.
    static QByteArray boundaryOf(const QByteArray& contentType);
    // The parts of body, names and file names read as UTF-8; false when the body is not well
    // formed. *uncleanName turns true when a name is not clean UTF-8 text.
    static bool parse(const QByteArray& body, const QByteArray& boundary, QList<UploadedPart>* parts,
                      bool* uncleanName);

private:
    MultipartBody() = delete;
};

#endif // MULTIPARTBODY_H
