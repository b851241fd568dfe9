#include "EventLoopMeter.h"

#include <QAbstractEventDispatcher>

EventLoopMeter::EventLoopMeter()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &m_context, [this] {
        if (!m_running)
            return;
        m_longest = qMax(m_longest, m_clock.nsecsElapsed() - m_awake);
        m_blockedAt = m_clock.nsecsElapsed();
    });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, &m_context, [this] {
        if (!m_running || m_blockedAt < 0)
            return;
        m_idle += m_clock.nsecsElapsed() - m_blockedAt;
        m_blockedAt = -1;
        m_awake = m_clock.nsecsElapsed();
    });
}

void EventLoopMeter::start()
{
    m_clock.start();
    m_idle = m_longest = m_awake = 0;
    m_blockedAt = -1;
    m_running = true;
}

double EventLoopMeter::stop()
{
    m_running = false;
    const qint64 now = m_clock.nsecsElapsed();
    if (m_blockedAt < 0)
        m_longest = qMax(m_longest, now - m_awake);
    return (now - m_idle) / 1e6;
}
