#include "HostLoginCookies.h"

#include "DataCenter.h"

#include <QUrl>
#include <QVariant>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

QList<QNetworkCookie> HostLoginCookies::current()
{
    const QVariant& cookie = DataCenter::CookieVar;
    if (cookie.canConvert<QList<QNetworkCookie>>())
        return cookie.value<QList<QNetworkCookie>>();
    if (cookie.canConvert<QNetworkCookie>())
        return {cookie.value<QNetworkCookie>()};

    QList<QNetworkCookie> cookies;
    const QStringList pieces = cookie.toString().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& piece : pieces) {
        const int equals = piece.indexOf(QLatin1Char('='));
        const QString name = piece.left(equals).trimmed();
        if (equals <= 0 || name.isEmpty())
            continue;
        cookies.append(QNetworkCookie(name.toUtf8(), piece.mid(equals + 1).trimmed().toUtf8()));
    }
    return cookies;
}

void HostLoginCookies::carry(QWebEngineProfile* profile, const QUrl& address)
{
    const QString scheme = address.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return;
    const QUrl origin = address.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment
                                         | QUrl::RemoveUserInfo);
    for (QNetworkCookie cookie : current()) {
        // Host-only: the cookie goes back to this origin's host and nowhere else.
        cookie.setDomain(QString());
        cookie.setPath(QStringLiteral("/"));
        cookie.setHttpOnly(true);
        profile->cookieStore()->setCookie(cookie, origin);
    }
}
