#ifndef SERVICEAPP_H
#define SERVICEAPP_H

#include "app/ServiceOptions.h"

#include <QString>

// The service process: opens the store, binds 127.0.0.1, seeds a new store with the demo data,
// announces "kq_service listening on http://127.0.0.1:PORT/" on stdout and serves until SIGINT
// or SIGTERM.
class ServiceApp
{
public:
    // Returns the process exit code.
    static int run(const ServiceOptions& options);

private:
    ServiceApp() = delete;
};

#endif // SERVICEAPP_H
