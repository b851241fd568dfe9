#ifndef DEMOSESSIONS_H
#define DEMOSESSIONS_H

#include "support/service/ReferenceService.h"

// The demo people most service suites act as, logged in at one reference service: 安居地产's
// manager and agent (job role 2) and 山城置业's manager.
struct DemoSessions
{
    ReferenceService::Headers manager;
    ReferenceService::Headers staff;
    ReferenceService::Headers chongqing;

    static DemoSessions login(ReferenceService& service);
    bool complete() const { return !manager.isEmpty() && !staff.isEmpty() && !chongqing.isEmpty(); }
};

#endif // DEMOSESSIONS_H
