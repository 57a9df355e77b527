#pragma once

#include "traffic/LinkHistory.h"

#include <QElapsedTimer>
#include <QObject>

class ProtocolTimer;
class StatisticsController;
class QTimer;

// Keeps the link history for the whole run, whether or not a chart shows it: one
// interval per throughput tick while a repetition runs, one a second otherwise, and
// every delivery report for the retry distribution.
class LinkHistoryRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleIntervalMs = 1000;

    // `tmrThroughput` runs while a repetition does; its ticks then end the intervals.
    LinkHistoryRecorder(const TrafficCounters& counters, const ProtocolTimer& tmrThroughput,
                        QObject* parent = nullptr);

    const LinkHistory& history() const { return m_history; }

    // Records what `statistics` reports from now on.
    void follow(const StatisticsController& statistics);

    // What the statistics page reports, each after the counters have changed.
    void ThroughputTicked(double currentKbps, double averageKbps);
    void DeliveryReported();
    void CountersCleared();

    // Every series starts again, empty.
    void Clear();

private:
    void tmrLinkHistory_Timer();

    const TrafficCounters& m_counters;
    const ProtocolTimer& m_throughputTimer;
    LinkHistory m_history;
    QElapsedTimer m_clock;
    QTimer* tmrLinkHistory = nullptr;  // ends the intervals while no repetition runs
};
