#include "traffic/LinkHistoryRecorder.h"

#include "platform/ProtocolTimer.h"
#include "traffic/StatisticsController.h"

#include <QTimer>

LinkHistoryRecorder::LinkHistoryRecorder(const TrafficCounters& counters,
                                         const ProtocolTimer& tmrThroughput, QObject* parent)
    : QObject(parent), m_counters(counters), m_throughputTimer(tmrThroughput)
{
    setObjectName(QStringLiteral("LinkHistoryRecorder"));
    m_history.Clear(counters);
    m_clock.start();
    tmrLinkHistory = new QTimer(this);
    tmrLinkHistory->setObjectName(QStringLiteral("tmrLinkHistory"));
    connect(tmrLinkHistory, &QTimer::timeout, this, &LinkHistoryRecorder::tmrLinkHistory_Timer);
    tmrLinkHistory->start(kIdleIntervalMs);
}

void LinkHistoryRecorder::follow(const StatisticsController& statistics)
{
    connect(&statistics, &StatisticsController::throughputTicked, this,
            &LinkHistoryRecorder::ThroughputTicked);
    connect(&statistics, &StatisticsController::deliveryReported, this,
            &LinkHistoryRecorder::DeliveryReported);
    connect(&statistics, &StatisticsController::countersCleared, this,
            &LinkHistoryRecorder::CountersCleared);
}

void LinkHistoryRecorder::ThroughputTicked(double currentKbps, double averageKbps)
{
    m_history.EndInterval(m_clock.elapsed(), m_counters,
                          ThroughputFigures{currentKbps, averageKbps});
}

void LinkHistoryRecorder::DeliveryReported()
{
    m_history.FollowDeliveryReport(m_counters);
}

void LinkHistoryRecorder::CountersCleared()
{
    m_history.CountersCleared();
}

void LinkHistoryRecorder::Clear()
{
    m_history.Clear(m_counters);
}

// While a repetition runs, its throughput ticks end the intervals.
void LinkHistoryRecorder::tmrLinkHistory_Timer()
{
    if (!m_throughputTimer.isActive())
        m_history.EndInterval(m_clock.elapsed(), m_counters);
}
