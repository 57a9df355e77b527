#pragma once

#include "traffic/LinkHistory.h"

#include <QObject>

class ProtocolTimer;
class RfDataController;
class StatisticsController;

// Keeps the link history for the whole run, whether or not a chart shows it: one
// interval per throughput tick while a repetition runs, one a second otherwise, and
// every delivery report for the retry distribution. With no traffic and no chart shown
// it sleeps: the quiet seconds are filled in when traffic comes or the history is read.
class LinkHistoryRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleIntervalMs = 1000;

    // `tmrThroughput` runs while a repetition does; its ticks then end the intervals.
    LinkHistoryRecorder(const TrafficCounters& counters, const ProtocolTimer& tmrThroughput,
                        QObject* parent = nullptr);

    // The history up to now.
    const LinkHistory& history();

    // Records what `statistics` and `rfData` report from now on.
    void follow(const StatisticsController& statistics);
    void follow(const RfDataController& rfData);

    // While the charts are shown, every second's interval ends on time.
    void SetChartsShown(bool shown);

    // A frame was counted or a repetition started: the seconds end on time again.
    void TrafficSeen();
    // What the statistics page reports, each after the counters have changed.
    void ThroughputTicked(double currentKbps, double averageKbps);
    void DeliveryReported();
    void CountersCleared();

    // Every series starts again, empty.
    void Clear();

private:
    void tmrLinkHistory_Timer();
    bool IsAsleep() const;
    void EndQuietSeconds();
    void StartNextSecond();

    const TrafficCounters& m_counters;
    const ProtocolTimer& m_throughputTimer;
    LinkHistory m_history;
    qint64 m_nextSecondEndsMs = 0;  // on the protocol clock
    bool m_chartsShown = false;
    ProtocolTimer* tmrLinkHistory = nullptr;  // ends the seconds while traffic flows
};
