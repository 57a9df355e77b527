#pragma once

#include "traffic/MessageLogFile.h"

#include <QWidget>

#include <array>

class Frame;
class QLabel;
class QListWidget;
class QPushButton;
class ProtocolTimer;
class LinkSession;
struct ConfigSettings;
struct TrafficCounters;

// The "Statistics" page: the host's own delivery figures for RF data messages (sent,
// received, acknowledged, retry distribution, success rates, throughput) beside the
// module's eight radio counters.
class StatisticsPage : public QWidget {
    Q_OBJECT
public:
    // tmrThroughput ticks while a repetition runs; the page shows the throughput.
    StatisticsPage(LinkSession& link, TrafficCounters& counters, const ConfigSettings& config,
                   ProtocolTimer& tmrThroughput, QWidget* parent = nullptr);

    // What the eight transceiver labels show, in the order the module reports them.
    TransceiverCaptions transceiverCaptions() const;

    void ShowPacketsReceived();

    void ProcessSendRFDataMessageAck(const Frame& frame);
    void ProcessRespondWithRFStatistics(const Frame& frame);
    void ProcessClearStatisticsAck();
    void cmdGetStatistics_Click();
    void cmdClearTestStats_Click();
    void tmrThroughput_Timer();

signals:
    // A throughput tick measured these figures (the counters have advanced).
    void throughputTicked(double currentKbps, double averageKbps);
    // An Ack/Nack reply has been counted.
    void deliveryReported();
    // "Clear All Statistics" set the host's counters to 0.
    void countersCleared();

private:
    void buildTransceiverFrame();
    void buildEvaluationFrame();

    // An RF data message was written to the port.
    void CountPacketSent();
    void ShowRetryDistribution();
    void ShowSuccessRates();

    LinkSession& m_link;
    TrafficCounters& m_counters;
    const ConfigSettings& m_config;
    ProtocolTimer& tmrThroughput;

    // lblTotalPacketsSent, lblUniquePacketsSent, ... lblUniqueAcksReceived.
    std::array<QLabel*, 8> m_transceiverLabels{};
    QPushButton* cmdGetStatistics = nullptr;
    QLabel* lblTestPktsSent = nullptr;
    QLabel* lblTestPktsRcvd = nullptr;
    QLabel* lblTestAcksRcvd = nullptr;
    QLabel* lblThroughput = nullptr;
    QListWidget* lstRetryDistribution = nullptr;
    QLabel* lblPktSuccessWithAcks = nullptr;
    QLabel* lblOverallPktSuccess = nullptr;
    QPushButton* cmdClearTestStats = nullptr;
};
