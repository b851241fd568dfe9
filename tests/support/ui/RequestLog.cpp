#include "support/ui/RequestLog.h"

#include "net/http/NetRequestObjecet.h"

namespace {

QList<RequestLog::Sent>& log()
{
    static QList<RequestLog::Sent> sent;
    return sent;
}

} // namespace

void RequestLog::start()
{
    NetRequestObjecet::setSendObserver([](const NetRequestObjecet& request) {
        Sent sent{request.url(), request.body(), request.method(), {}};
        for (const QObject* owner = request.parent(); owner; owner = owner->parent())
            sent.owners.append(owner);
        log().append(sent);
    });
}

QList<RequestLog::Sent> RequestLog::sentBy(const QObject* owner)
{
    QList<Sent> matching;
    for (const Sent& sent : qAsConst(log())) {
        if (sent.owners.contains(owner))
            matching.append(sent);
    }
    return matching;
}
