#include "traffic/LinkHistory.h"

#include <QtGlobal>

namespace {

double Percent(qint64 part, qint64 whole)
{
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

LinkHistory::LinkHistory(int capacity) : m_capacity(qMax(1, capacity)) {}

// Success rates count the delivery reports that arrived in the interval rather than the
// messages sent in it: a report comes back after its message, often in the next interval,
// and sent-based rates would swing above and below 100 %.
LinkSample LinkHistory::IntervalSample(const TrafficCounters& now) const
{
    const TrafficCounters& before = m_intervalStart;
    const qint64 acknowledged = now.lAcksReceived - before.lAcksReceived;
    const qint64 failed = now.lPacketsFailed - before.lPacketsFailed;
    const qint64 transmissions = now.lTotalTransmissions - before.lTotalTransmissions;

    LinkSample sample;
    sample.values.fill(kNoValue);
    if (acknowledged + failed > 0) {
        sample.values[SeriesIndex(LinkSeries::SuccessRetriesIncluded)] =
            Percent(acknowledged, acknowledged + failed);
        sample.values[SeriesIndex(LinkSeries::SuccessRetriesNotIncluded)] =
            Percent(acknowledged, transmissions);
    }
    sample.values[SeriesIndex(LinkSeries::FailedPerInterval)] = static_cast<double>(failed);
    sample.values[SeriesIndex(LinkSeries::ReceivedPerInterval)] =
        static_cast<double>(now.lPacketsReceived - before.lPacketsReceived);
    return sample;
}

void LinkHistory::EndInterval(qint64 nowMs, const TrafficCounters& counters,
                              const std::optional<ThroughputFigures>& throughput)
{
    if (!m_firstPointMs)
        m_firstPointMs = nowMs;
    LinkSample sample = IntervalSample(counters);
    sample.timeS = static_cast<double>(nowMs - *m_firstPointMs) / 1000.0;
    if (throughput) {
        sample.values[SeriesIndex(LinkSeries::IntervalKbps)] = throughput->currentKbps;
        sample.values[SeriesIndex(LinkSeries::AverageKbps)] = throughput->averageKbps;
    }
    if (static_cast<int>(m_samples.size()) == m_capacity)
        m_samples.pop_front();
    m_samples.push_back(sample);
    m_intervalStart = counters;
    ++m_seriesRevision;
}

void LinkHistory::FollowDeliveryReport(const TrafficCounters& counters)
{
    for (size_t i = 0; i < m_acksByRetries.size(); ++i)
        m_acksByRetries[i] += counters.lRetryDistribution[i] - m_reportsSeen.lRetryDistribution[i];
    m_failed += counters.lPacketsFailed - m_reportsSeen.lPacketsFailed;
    m_reportsSeen = counters;
    ++m_retryRevision;
}

void LinkHistory::CountersCleared()
{
    m_intervalStart = TrafficCounters{};
    m_reportsSeen = TrafficCounters{};
}

void LinkHistory::Clear(const TrafficCounters& counters)
{
    m_samples.clear();
    m_firstPointMs.reset();
    m_intervalStart = counters;
    m_reportsSeen = counters;
    m_acksByRetries.fill(0);
    m_failed = 0;
    ++m_seriesRevision;
    ++m_retryRevision;
}

QList<QPointF> LinkHistory::points(LinkSeries series) const
{
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(m_samples.size()));
    for (const LinkSample& sample : m_samples)
        if (sample.has(series))
            points.append(QPointF(sample.timeS, sample.value(series)));
    return points;
}

QList<qint64> LinkHistory::retryBars(int iRFRetries) const
{
    const int lastRow = qBound(0, iRFRetries, TrafficCounters::kRetrySlots - 1);
    QList<qint64> bars;
    for (int i = 0; i <= lastRow; ++i)
        bars.append(m_acksByRetries[static_cast<size_t>(i)]);
    bars.append(m_failed);
    return bars;
}
