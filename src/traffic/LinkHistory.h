#pragma once

#include "traffic/LinkSeries.h"
#include "traffic/TrafficCounters.h"

#include <QList>
#include <QPointF>

#include <deque>
#include <optional>

// The radio link over time, kept from snapshots of the host's counters: throughput per
// throughput tick, delivery and received RF data per interval, and the retry
// distribution. It counts what the counters gained between snapshots, so "Clear All
// Statistics" leaves it alone; only Clear() restarts it. The oldest intervals go first
// once `capacity` are kept.
class LinkHistory {
public:
    static constexpr int kDayAtOnePerSecond = 24 * 60 * 60;

    explicit LinkHistory(int capacity = kDayAtOnePerSecond);

    // One interval ends at `nowMs` (any monotonic clock in milliseconds): at a throughput
    // tick, with the figures the tick measured, or at the history's own pace while no
    // repetition runs.
    void EndInterval(qint64 nowMs, const TrafficCounters& counters,
                     const std::optional<ThroughputFigures>& throughput = std::nullopt);

    // An interval in which the counters did not change ends at `nowMs`.
    void EndQuietInterval(qint64 nowMs) { EndInterval(nowMs, m_intervalStart); }

    // After each Ack/Nack reply: the retry distribution follows what the counters gained.
    void FollowDeliveryReport(const TrafficCounters& counters);

    // The counters went back to 0; what they count from now on is new.
    void CountersCleared();

    // Every series starts again, empty; counting goes on from the counters as they are.
    void Clear(const TrafficCounters& counters);

    const std::deque<LinkSample>& samples() const { return m_samples; }
    int capacity() const { return m_capacity; }

    // The points of one series as (seconds, value), oldest first; intervals that did not
    // measure it are left out.
    QList<QPointF> points(LinkSeries series) const;

    // Messages acknowledged after 0 .. iRFRetries retries, then the failed ones, since
    // the last Clear().
    QList<qint64> retryBars(int iRFRetries) const;

    // Each changes whenever what it covers changes, so a view redraws only then.
    quint64 seriesRevision() const { return m_seriesRevision; }
    quint64 retryRevision() const { return m_retryRevision; }

private:
    LinkSample IntervalSample(const TrafficCounters& counters) const;

    int m_capacity;
    std::deque<LinkSample> m_samples;
    std::optional<qint64> m_firstPointMs;
    TrafficCounters m_intervalStart;  // the counters when the current interval began
    TrafficCounters m_reportsSeen;    // the counters at the last delivery report followed
    std::array<qint64, TrafficCounters::kRetrySlots> m_acksByRetries{};
    qint64 m_failed = 0;
    quint64 m_seriesRevision = 0;
    quint64 m_retryRevision = 0;
};
