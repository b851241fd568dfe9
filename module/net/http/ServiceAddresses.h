#ifndef SERVICEADDRESSES_H
#define SERVICEADDRESSES_H

#include <QString>
#include <QStringList>

// The service's base addresses. Each comes from an environment variable (MICROSITE_API_BASE,
// MICROSITE_SITE_BASE, MICROSITE_OFFICE_BASE, MICROSITE_HELP_BASE, MICROSITE_SECURE_BASE), read on
// first use, and always ends with "/". Endpoints are a base followed directly by a path.
class ServiceAddresses
{
public:
    static QString apiBase();
    static QString siteBase();
    static QString officeBase();
    static QString helpBase();
    static QString secureBase();
    // Where photos are uploaded: the API base followed by "app/upphoto".
    static QString uploadUrl();

    // Host names (with port when the address has one) of the service's file and picture hosts:
    // the API base's host plus the names listed in MICROSITE_FILE_HOSTS (comma-separated).
    static QStringList fileHosts();
    // Whether the text names one of the file hosts (case-sensitive), i.e. the picture or file it
    // stands for is already on the service.
    static bool containsFileHost(const QString& text);

    // Reads the environment again; every endpoint follows. Meant for tests that start a service
    // on a port of their own.
    static void reload();
    // Grows by one with every reload, so cached addresses know when to rebuild.
    static int generation();

private:
    ServiceAddresses() = delete;
};

#endif // SERVICEADDRESSES_H
