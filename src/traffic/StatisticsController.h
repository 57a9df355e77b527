#pragma once

#include "traffic/MessageLogFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Frame;
class LinkSession;
class ProtocolTimer;
struct ConfigSettings;
struct TrafficCounters;

// Delivery statistics for RF data messages: the host's own figures (sent, received,
// acknowledged, retry distribution, success rates, throughput) and the module's eight
// radio counters as last reported. Whoever shows them follows the signals.
class StatisticsController : public QObject {
    Q_OBJECT
public:
    // tmrThroughput ticks while a repetition runs.
    StatisticsController(LinkSession& link, TrafficCounters& counters,
                         const ConfigSettings& config, ProtocolTimer& tmrThroughput,
                         QObject* parent = nullptr);

    const TrafficCounters& counters() const { return m_counters; }
    // The module's eight counters as shown, in the order it reports them ("-" where
    // never queried or cleared).
    const TransceiverCaptions& transceiverCaptions() const { return m_transceiverCaptions; }
    QStringList RetryDistributionRows() const;
    QString PktSuccessWithAcksText() const;
    QString OverallPktSuccessText() const;

    void ProcessSendRFDataMessageAck(const Frame& frame);
    void ProcessRespondWithRFStatistics(const Frame& frame);
    void ProcessClearStatisticsAck();
    void cmdGetStatistics_Click();
    void cmdClearTestStats_Click();
    void tmrThroughput_Timer();

signals:
    // An RF data message was written to the port (lPacketsSent went up).
    void packetSent();
    // An Ack/Nack reply has been counted and the rates computed again.
    void deliveryReported();
    // The module's counters were reported or cleared.
    void transceiverStatisticsChanged();
    // "Get Statistics": the host's totals and the rates as last computed are to be shown.
    void figuresRequested();
    // "Clear All Statistics" set the host's counters to 0.
    void countersCleared();
    // A throughput tick measured these figures (the counters have advanced).
    void throughputTicked(double currentKbps, double averageKbps);

private:
    void CountPacketSent();

    LinkSession& m_link;
    TrafficCounters& m_counters;
    const ConfigSettings& m_config;
    ProtocolTimer& tmrThroughput;
    TransceiverCaptions m_transceiverCaptions;
};
