#include "support/service/DemoSessions.h"

DemoSessions DemoSessions::login(ReferenceService& service)
{
    DemoSessions sessions;
    sessions.manager = service.login(QStringLiteral("13800000000"));
    sessions.staff = service.login(QStringLiteral("13800000001"));
    sessions.chongqing = service.login(QStringLiteral("13900000000"));
    return sessions;
}
