#include "routes/common/PictureAddress.h"

#include <QUrl>

#include <algorithm>

bool PictureAddress::isValid(const QString& address)
{
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    const bool blank = std::any_of(address.cbegin(), address.cend(), [](QChar c) { return c.isSpace(); });
    return web && !blank && url.isValid() && !url.host().isEmpty();
}
