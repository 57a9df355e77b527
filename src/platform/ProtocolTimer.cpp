#include "platform/ProtocolTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

namespace {
VirtualClock* g_virtualClock = nullptr;
}  // namespace

qint64 ProtocolClockNowMs()
{
    if (g_virtualClock)
        return g_virtualClock->now();
    static QElapsedTimer monotonic;
    if (!monotonic.isValid())
        monotonic.start();
    return monotonic.elapsed();
}

ProtocolTimer::ProtocolTimer(const char* name, QObject* parent) : QObject(parent)
{
    m_timer.setParent(this);
    m_timer.setObjectName(QLatin1String(name));
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ProtocolTimer::timeout);
}

ProtocolTimer::~ProtocolTimer()
{
    stop();
}

void ProtocolTimer::start()
{
    stop();
    m_clock = VirtualClock::current();
    if (m_clock)
        m_clock->schedule(this, m_clock->now() + m_timer.interval());
    else
        m_timer.start();
}

void ProtocolTimer::start(int ms)
{
    m_timer.setInterval(ms);
    start();
}

void ProtocolTimer::stop()
{
    if (m_clock) {
        m_clock->unschedule(this);
        m_clock = nullptr;
    }
    m_timer.stop();
}

bool ProtocolTimer::isActive() const
{
    return m_clock ? m_clock->isScheduled(this) : m_timer.isActive();
}

void ProtocolTimer::Tick()
{
    emit timeout();
}

VirtualClock::VirtualClock()
{
    g_virtualClock = this;
}

VirtualClock::~VirtualClock()
{
    for (const Entry& entry : std::as_const(m_entries))
        entry.timer->m_clock = nullptr;
    g_virtualClock = nullptr;
}

VirtualClock* VirtualClock::current()
{
    return g_virtualClock;
}

void VirtualClock::advance(int ms)
{
    const qint64 until = m_now + ms;
    deliverPostedEvents();
    for (;;) {
        const auto next = std::min_element(m_entries.begin(), m_entries.end(),
                                           [](const Entry& a, const Entry& b) {
                                               return a.dueAt != b.dueAt ? a.dueAt < b.dueAt
                                                                         : a.order < b.order;
                                           });
        if (next == m_entries.end() || next->dueAt > until)
            break;
        ProtocolTimer* timer = next->timer;
        m_now = next->dueAt;
        if (timer->isSingleShot()) {
            m_entries.erase(next);
            timer->m_clock = nullptr;
        } else {
            next->dueAt += std::max(1, timer->interval());
            next->order = m_nextOrder++;
        }
        timer->Tick();
        deliverPostedEvents();
    }
    m_now = until;
}

void VirtualClock::schedule(ProtocolTimer* timer, qint64 dueAt)
{
    m_entries.append({timer, dueAt, m_nextOrder++});
}

void VirtualClock::unschedule(const ProtocolTimer* timer)
{
    m_entries.removeIf([timer](const Entry& e) { return e.timer == timer; });
}

bool VirtualClock::isScheduled(const ProtocolTimer* timer) const
{
    return std::any_of(m_entries.cbegin(), m_entries.cend(),
                       [timer](const Entry& e) { return e.timer == timer; });
}

void VirtualClock::deliverPostedEvents()
{
    QCoreApplication::sendPostedEvents();
}
