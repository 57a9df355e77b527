#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class StatisticsController;

// The "Statistics" page: the host's own delivery figures for RF data messages beside the
// module's eight radio counters, over the statistics controller.
class StatisticsPage : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsPage(StatisticsController& controller, QWidget* parent = nullptr);

    void ShowPacketsReceived();
    // One tick of tmrThroughput, as if the timer had fired.
    void tmrThroughput_Timer();

private:
    QGroupBox* buildTransceiverFrame();
    QGroupBox* buildEvaluationFrame();

    void ShowDelivery();
    void ShowTransceiverStatistics();
    void ShowFigures();
    void ShowCleared();
    void ShowRetryDistribution();
    void ShowSuccessRates();

    StatisticsController& m_controller;

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
