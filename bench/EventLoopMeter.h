#ifndef EVENTLOOPMETER_H
#define EVENTLOOPMETER_H

#include <QElapsedTimer>
#include <QObject>

// What the GUI thread spends from start() to stop(), apart from the time it waits for events (a
// reply from the service): its busy time, and its longest stretch without looking at the event
// queue, the longest stall a user would see.
class EventLoopMeter
{
public:
    EventLoopMeter();
    void start();
    // Busy milliseconds since start().
    double stop();
    double longestMs() const { return m_longest / 1e6; }

private:
    QObject m_context;
    QElapsedTimer m_clock;
    qint64 m_idle = 0;
    qint64 m_longest = 0;
    qint64 m_awake = 0;
    qint64 m_blockedAt = -1;
    bool m_running = false;
};

#endif // EVENTLOOPMETER_H
