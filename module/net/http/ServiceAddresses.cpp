#include "net/http/ServiceAddresses.h"

#include <QUrl>

namespace {

struct Addresses
{
    QString api;
    QString site;
    QString office;
    QString help;
    QString secure;
    QString upload;
    QStringList fileHosts;
    int generation = 0;
    bool loaded = false;
};

Addresses& addresses()
{
    static Addresses a;
    return a;
}

QString baseFromEnv(const char* name, const QString& fallback)
{
    QString base = qEnvironmentVariable(name).trimmed();
    if (base.isEmpty())
        base = fallback;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

QString hostWithPort(const QString& address)
{
    const QUrl url(address);
    if (url.host().isEmpty())
        return QString();
    return url.port() >= 0 ? url.host() + QLatin1Char(':') + QString::number(url.port()) : url.host();
}

void load(Addresses& a)
{
    const QString service = QStringLiteral("http://127.0.0.1:8765/");
    a.api = baseFromEnv("MICROSITE_API_BASE", service + QLatin1String("api/"));
    a.site = baseFromEnv("MICROSITE_SITE_BASE", service + QLatin1String("site/"));
    a.office = baseFromEnv("MICROSITE_OFFICE_BASE", service + QLatin1String("office/"));
    a.help = baseFromEnv("MICROSITE_HELP_BASE", service + QLatin1String("help/"));
    a.secure = baseFromEnv("MICROSITE_SECURE_BASE", service + QLatin1String("secure/"));
    a.upload = a.api + QLatin1String("app/upphoto");

    a.fileHosts.clear();
    const QString apiHost = hostWithPort(a.api);
    if (!apiHost.isEmpty())
        a.fileHosts.append(apiHost);
    const QStringList extra = qEnvironmentVariable("MICROSITE_FILE_HOSTS").split(QLatin1Char(','));
    for (const QString& name : extra) {
        const QString host = name.trimmed();
        if (!host.isEmpty() && !a.fileHosts.contains(host))
            a.fileHosts.append(host);
    }
    a.loaded = true;
}

const Addresses& current()
{
    Addresses& a = addresses();
    if (!a.loaded)
        load(a);
    return a;
}

} // namespace

QString ServiceAddresses::apiBase()
{
    return current().api;
}

QString ServiceAddresses::siteBase()
{
    return current().site;
}

QString ServiceAddresses::officeBase()
{
    return current().office;
}

QString ServiceAddresses::helpBase()
{
    return current().help;
}

QString ServiceAddresses::secureBase()
{
    return current().secure;
}

QString ServiceAddresses::uploadUrl()
{
    return current().upload;
}

QStringList ServiceAddresses::fileHosts()
{
    return current().fileHosts;
}

bool ServiceAddresses::containsFileHost(const QString& text)
{
    for (const QString& host : current().fileHosts) {
        if (text.contains(host, Qt::CaseSensitive))
            return true;
    }
    return false;
}

void ServiceAddresses::reload()
{
    Addresses& a = addresses();
    load(a);
    ++a.generation;
}

int ServiceAddresses::generation()
{
    current();
    return addresses().generation;
}
