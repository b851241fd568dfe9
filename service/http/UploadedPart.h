#ifndef UPLOADEDPART_H
#define UPLOADEDPART_H

#include <QByteArray>
#include <QString>

// One part of a multipart form body.
struct UploadedPart
{
    QString name;
    // As the client sent it; never used to name anything on disk.
    QString filename;
    // The part is a file: its header names a file name, though perhaps an empty one.
    bool isFile = false;
    QString contentType;
    QByteArray data;
};

#endif // UPLOADEDPART_H
