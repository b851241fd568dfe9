#ifndef REQUESTPROBE_H
#define REQUESTPROBE_H

class QObject;

// Follows the request objects a page makes, as the page itself would.
namespace RequestProbe {

// Waits until the newest request object `owner` holds directly has answered; those of earlier
// loads may still be waiting for their deletion. False after the timeout, or when it holds none.
bool waitForNewest(QObject* owner, int timeoutMs = 5000);

} // namespace RequestProbe

#endif // REQUESTPROBE_H
