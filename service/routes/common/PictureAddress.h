#ifndef PICTUREADDRESS_H
#define PICTUREADDRESS_H

#include <QString>

// Whether a text may be stored as a picture of the site: an http or https address with a host
// and no blanks. Anything else would end up in the site's pages as a link of another kind.
class PictureAddress
{
public:
    static bool isValid(const QString& address);

private:
    PictureAddress() = delete;
};

#endif // PICTUREADDRESS_H
