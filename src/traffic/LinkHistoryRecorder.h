#pragma once

#include "traffic/LinkHistory.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class StatisticsPage;

// Keeps the link history for the whole run, whether or not a chart shows it: one
// interval per throughput tick while a repetition runs, one a second otherwise, and
// every delivery report for the retry distribution.
class LinkHistoryRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleIntervalMs = 1000;

    LinkHistoryRecorder(const TrafficCounters& counters, StatisticsPage& statistics,
                        const QTimer& tmrThroughput, QObject* parent = nullptr);

    const LinkHistory& history() const { return m_history; }

    // Every series starts again, empty.
    void Clear();

private:
    void onThroughputTick(double currentKbps, double averageKbps);
    void onIdleTick();

    const TrafficCounters& m_counters;
    const QTimer& m_throughputTimer;
    LinkHistory m_history;
    QElapsedTimer m_clock;
    QTimer* tmrLinkHistory = nullptr;  // ends the intervals while no repetition runs
};
