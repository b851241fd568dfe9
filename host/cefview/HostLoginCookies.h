#ifndef HOSTLOGINCOOKIES_H
#define HOSTLOGINCOOKIES_H

#include <QList>
#include <QNetworkCookie>

class QUrl;
class QWebEngineProfile;

// The host's login travels with the pages the desktop opens, as it does with the desktop's own
// requests: the login cookie of the host's base library, handed to the browser for the page's
// own origin only.
class HostLoginCookies
{
public:
    // The cookies of the current login (DataCenter::CookieVar): a "name=value; name=value" text
    // or a list of cookies. Empty when nobody is logged in.
    static QList<QNetworkCookie> current();
    // Sets them in the profile for the address's origin; nothing for other than http and https.
    static void carry(QWebEngineProfile* profile, const QUrl& address);

private:
    HostLoginCookies() = delete;
};

#endif // HOSTLOGINCOOKIES_H
