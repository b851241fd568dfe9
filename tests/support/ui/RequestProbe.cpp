#include "support/ui/RequestProbe.h"

#include "net/http/NetRequestObjecet.h"

#include <QSignalSpy>

namespace RequestProbe {

bool waitForNewest(QObject* owner, int timeoutMs)
{
    const QList<NetRequestObjecet*> requests = owner->findChildren<NetRequestObjecet*>(QString(), Qt::FindDirectChildrenOnly);
    if (requests.isEmpty())
        return false;
    QSignalSpy finished(requests.last(), &NetRequestObjecet::loadFinish);
    return finished.wait(timeoutMs);
}

} // namespace RequestProbe
