#include "traffic/LinkHistoryRecorder.h"

#include "traffic/StatisticsPage.h"

LinkHistoryRecorder::LinkHistoryRecorder(const TrafficCounters& counters,
                                         StatisticsPage& statistics, const QTimer& tmrThroughput,
                                         QObject* parent)
    : QObject(parent), m_counters(counters), m_throughputTimer(tmrThroughput)
{
    setObjectName(QStringLiteral("LinkHistoryRecorder"));
    m_history.Clear(counters);
    m_clock.start();
    connect(&statistics, &StatisticsPage::throughputTicked, this,
            &LinkHistoryRecorder::onThroughputTick);
    connect(&statistics, &StatisticsPage::deliveryReported, this,
            [this] { m_history.FollowDeliveryReport(m_counters); });
    connect(&statistics, &StatisticsPage::countersCleared, this,
            [this] { m_history.CountersCleared(); });
    tmrLinkHistory = new QTimer(this);
    tmrLinkHistory->setObjectName(QStringLiteral("tmrLinkHistory"));
    connect(tmrLinkHistory, &QTimer::timeout, this, &LinkHistoryRecorder::onIdleTick);
    tmrLinkHistory->start(kIdleIntervalMs);
}

void LinkHistoryRecorder::Clear()
{
    m_history.Clear(m_counters);
}

void LinkHistoryRecorder::onThroughputTick(double currentKbps, double averageKbps)
{
    m_history.EndInterval(m_clock.elapsed(), m_counters, ThroughputFigures{currentKbps, averageKbps});
}

// While a repetition runs, its throughput ticks end the intervals.
void LinkHistoryRecorder::onIdleTick()
{
    if (!m_throughputTimer.isActive())
        m_history.EndInterval(m_clock.elapsed(), m_counters);
}
