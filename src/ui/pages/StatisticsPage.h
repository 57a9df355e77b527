#pragma once

#include "traffic/TrafficCounters.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class ScreenRefresh;
class StatisticsController;

// The "Statistics" page: the host's own delivery figures for RF data messages beside the
// module's eight radio counters, over the statistics controller. The figures that
// follow the traffic (packets sent and received, deliveries, throughput) are shown as
// they stand at the screen's refresh; what the user asked for is shown at once.
class StatisticsPage : public QWidget {
    Q_OBJECT
public:
    StatisticsPage(StatisticsController& controller, ScreenRefresh& refresh,
                   QWidget* parent = nullptr);

    // lPacketsReceived went up.
    void ShowPacketsReceived();
    // One tick of tmrThroughput, as if the timer had fired.
    void tmrThroughput_Timer();

private:
    QGroupBox* buildTransceiverFrame();
    QGroupBox* buildEvaluationFrame();

    // What the traffic changed since the last refresh.
    struct Pending {
        bool packetsSent = false;
        bool packetsReceived = false;
        bool delivery = false;
        bool throughput = false;
    };
    void ShowPending();
    void ShowDelivery();
    void ShowTransceiverStatistics();
    void ShowFigures();
    void ShowCleared();
    void ShowRetryDistribution();
    void ShowSuccessRates();

    StatisticsController& m_controller;
    ScreenRefresh& m_refresh;
    Pending m_pending;
    ThroughputFigures m_throughput;  // the newest tick's

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
