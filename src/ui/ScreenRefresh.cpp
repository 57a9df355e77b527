#include "ui/ScreenRefresh.h"

ScreenRefresh::ScreenRefresh(QObject* parent)
    : QObject(parent), m_timer("tmrScreenRefresh", this)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &ProtocolTimer::timeout, this, &ScreenRefresh::refreshed);
}

// The first change after a refresh starts the wait; the ones after it join it.
void ScreenRefresh::request()
{
    if (!m_timer.isActive())
        m_timer.start();
}
