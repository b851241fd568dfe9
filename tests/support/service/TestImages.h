#ifndef TESTIMAGES_H
#define TESTIMAGES_H

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures for tests: made with Qt, encoded in memory, or read from the test photographs.
namespace TestImages {

QImage filled(const QSize& size, const QColor& colour);
// The image in that format ("PNG", "JPEG"), as a file of it would hold.
QByteArray encode(const QImage& image, const char* format, int quality = -1);
// The whole file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

} // namespace TestImages

#endif // TESTIMAGES_H
