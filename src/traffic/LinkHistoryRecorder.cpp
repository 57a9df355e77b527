#include "traffic/LinkHistoryRecorder.h"

#include "platform/ProtocolTimer.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"

LinkHistoryRecorder::LinkHistoryRecorder(const TrafficCounters& counters,
                                         const ProtocolTimer& tmrThroughput, QObject* parent)
    : QObject(parent), m_counters(counters), m_throughputTimer(tmrThroughput)
{
    setObjectName(QStringLiteral("LinkHistoryRecorder"));
    m_history.Clear(counters);
    m_nextSecondEndsMs = ProtocolClockNowMs() + kIdleIntervalMs;
    tmrLinkHistory = new ProtocolTimer("tmrLinkHistory", this);
    tmrLinkHistory->setSingleShot(true);
    connect(tmrLinkHistory, &ProtocolTimer::timeout, this, &LinkHistoryRecorder::tmrLinkHistory_Timer);
}

const LinkHistory& LinkHistoryRecorder::history()
{
    EndQuietSeconds();
    return m_history;
}

void LinkHistoryRecorder::follow(const StatisticsController& statistics)
{
    connect(&statistics, &StatisticsController::packetSent, this, &LinkHistoryRecorder::TrafficSeen);
    connect(&statistics, &StatisticsController::throughputTicked, this,
            &LinkHistoryRecorder::ThroughputTicked);
    connect(&statistics, &StatisticsController::deliveryReported, this,
            &LinkHistoryRecorder::DeliveryReported);
    connect(&statistics, &StatisticsController::countersCleared, this,
            &LinkHistoryRecorder::CountersCleared);
}

void LinkHistoryRecorder::follow(const RfDataController& rfData)
{
    connect(&rfData, &RfDataController::packetReceived, this, &LinkHistoryRecorder::TrafficSeen);
    connect(&rfData, &RfDataController::singleRepeatChanged, this, &LinkHistoryRecorder::TrafficSeen);
    connect(&rfData, &RfDataController::randomRepeatChanged, this, &LinkHistoryRecorder::TrafficSeen);
}

void LinkHistoryRecorder::SetChartsShown(bool shown)
{
    m_chartsShown = shown;
    if (shown)
        TrafficSeen();
}

void LinkHistoryRecorder::TrafficSeen()
{
    if (IsAsleep()) {
        EndQuietSeconds();
        StartNextSecond();
    }
}

void LinkHistoryRecorder::ThroughputTicked(double currentKbps, double averageKbps)
{
    TrafficSeen();
    m_history.EndInterval(ProtocolClockNowMs(), m_counters,
                          ThroughputFigures{currentKbps, averageKbps});
}

void LinkHistoryRecorder::DeliveryReported()
{
    TrafficSeen();
    m_history.FollowDeliveryReport(m_counters);
}

void LinkHistoryRecorder::CountersCleared()
{
    EndQuietSeconds();
    m_history.CountersCleared();
}

void LinkHistoryRecorder::Clear()
{
    EndQuietSeconds();
    m_history.Clear(m_counters);
}

// While a repetition runs, its throughput ticks end the intervals. The timer stops once
// a second ends with nothing left to watch.
void LinkHistoryRecorder::tmrLinkHistory_Timer()
{
    if (!m_throughputTimer.isActive())
        m_history.EndInterval(m_nextSecondEndsMs, m_counters);
    m_nextSecondEndsMs += kIdleIntervalMs;
    if (m_chartsShown || m_throughputTimer.isActive())
        StartNextSecond();
}

bool LinkHistoryRecorder::IsAsleep() const
{
    return !tmrLinkHistory->isActive();
}

// Asleep, nothing counted since the last second ended, and no repetition ran: every
// second that ended since is quiet.
void LinkHistoryRecorder::EndQuietSeconds()
{
    if (!IsAsleep())
        return;
    for (const qint64 now = ProtocolClockNowMs(); m_nextSecondEndsMs <= now;
         m_nextSecondEndsMs += kIdleIntervalMs)
        m_history.EndQuietInterval(m_nextSecondEndsMs);
}

void LinkHistoryRecorder::StartNextSecond()
{
    tmrLinkHistory->start(static_cast<int>(qMax<qint64>(0, m_nextSecondEndsMs - ProtocolClockNowMs())));
}
