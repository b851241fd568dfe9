#ifndef PICTUREFILES_H
#define PICTUREFILES_H

#include <QByteArray>
#include <QString>

// Writing picture files so that a reader never sees half of one: a broken write leaves the old
// file, or none, rather than a picture cut short.
namespace PictureFiles {

bool writeAtomically(const QString& path, const QByteArray& bytes);

} // namespace PictureFiles

#endif // PICTUREFILES_H
